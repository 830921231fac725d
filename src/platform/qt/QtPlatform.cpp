#include "platform/qt/QtPlatform.h"

#include "platform/qt/ProgramFault.h"
#include "texts/CommonTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QTreeView>

namespace zeb {

namespace {

QMessageBox::StandardButton toQt(MsgAnswer a) {
    switch (a) {
    case MsgAnswer::Ok: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QString displayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n");
    return s;
}

} // namespace

std::map<std::string, QtPlatform::FormRunner>& QtPlatform::forms() {
    static std::map<std::string, FormRunner> registry;
    return registry;
}

void QtPlatform::registerForm(const std::string& dialogName, FormRunner runner) {
    forms()[dialogName] = std::move(runner);
}

QWidget* QtPlatform::parentWidget() const {
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

MsgAnswer QtPlatform::message(const std::string& text, const std::string& caption, MsgButtons buttons,
                              MsgIcon icon, MsgAnswer defaultAnswer) {
    QMessageBox box(parentWidget());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(displayText(WithFileLine(text, messageFile())));
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Stop: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case MsgButtons::Ok: set = QMessageBox::Ok; break;
    case MsgButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MsgButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case MsgButtons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    box.setStandardButtons(set);
    box.setDefaultButton(toQt(defaultAnswer));
    box.setObjectName("MessageBox");
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default:
        // Closed with Escape or the title bar: the safe answer.
        if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

void QtPlatform::beep() { QApplication::beep(); }

void QtPlatform::processPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); }

QStringList QtPlatform::qtFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        if (patterns.isEmpty()) continue;
        QStringList both;
        for (const QString& p : patterns) {
            const QString t = p.trimmed();
            for (const QString& v : {t, t.toLower(), t.toUpper()})
                if (!both.contains(v)) both << v;
        }
        // The description's own "(...)" list is replaced by the patterns Qt filters with.
        description.remove(QRegularExpression(R"(\s*\([^()]*\)\s*$)"));
        out << QStringLiteral("%1 (%2)").arg(description, both.join(' '));
    }
    return out;
}

QString QtPlatform::startFolder(const std::string& initialDir) const {
    if (!initialDir.empty()) return QString::fromStdString(initialDir);
    if (!dataFolder_.isEmpty()) return dataFolder_;
    return QDir::homePath();
}

namespace {

// The columns of a file dialog's detail view as wide as what they show (sizes
// such as "10.0 KiB", dates), at any scale factor, and the names in the room
// left: sized again whenever the folder's entries change (the dialog grows
// within its screen where the names would be cut) and when it is resized. A
// native dialog has no such view and sizes itself.
class FileColumnsFit : public QObject {
public:
    explicit FileColumnsFit(QFileDialog& dialog) : QObject(&dialog), dialog_(dialog) { dialog.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show && !tree_) attach();
        // The view is compared by address: while it is destroyed (the events of
        // its destruction pass here too) it is no QTreeView any more.
        if (watched == treeObject_ && event->type() == QEvent::Resize) fitNames(false);
        return QObject::eventFilter(watched, event);
    }

private:
    void attach() {
        tree_ = dialog_.findChild<QTreeView*>("treeView");
        auto* model = dialog_.findChild<QFileSystemModel*>();
        if (!tree_ || !model) return;
        treeObject_ = tree_.data();
        // The types and icons of a folder's files arrive after its names: every
        // change of the model sizes the columns again, once the changes of a
        // moment are in.
        refit_.setSingleShot(true);
        refit_.setInterval(50);
        connect(&refit_, &QTimer::timeout, this, [this] { fit(); });
        const auto later = [this] { refit_.start(); };
        connect(model, &QFileSystemModel::directoryLoaded, this, later);
        connect(model, &QAbstractItemModel::dataChanged, this, later);
        connect(model, &QAbstractItemModel::rowsInserted, this, later);
        connect(model, &QAbstractItemModel::layoutChanged, this, later);
        tree_->installEventFilter(this);
        fit();
    }
    void fit() {
        if (!tree_) return;
        for (int column = 1; column < tree_->header()->count(); ++column) tree_->resizeColumnToContents(column);
        fitNames(true);
    }
    void fitNames(bool mayGrow) {
        if (!tree_) return;
        QHeaderView* header = tree_->header();
        int others = 0;
        for (int column = 1; column < header->count(); ++column)
            if (!tree_->isColumnHidden(column)) others += tree_->columnWidth(column);
        const QAbstractItemView* view = tree_;
        const int need = std::max(view->sizeHintForColumn(0), header->sectionSizeHint(0));
        int room = tree_->viewport()->width() - others;
        if (mayGrow && need > room && dialog_.screen()) {
            const QRect screen = dialog_.screen()->availableGeometry();
            const int grow = std::min(need - room, std::max(0, screen.width() - dialog_.frameGeometry().width()));
            if (grow > 0) {
                dialog_.resize(dialog_.width() + grow, dialog_.height());
                const int over = dialog_.frameGeometry().right() - screen.right();
                if (over > 0) dialog_.move(dialog_.x() - over, dialog_.y());
                room += grow;
            }
        }
        tree_->setColumnWidth(0, std::max(need, room));
    }

    QFileDialog& dialog_;
    QPointer<QTreeView> tree_;
    const QObject* treeObject_ = nullptr;
    QTimer refit_;
};

// A file dialog of the program: its filters, the one chosen, columns that fit.
void prepare(QFileDialog& dialog, const QStringList& filters, const QString& selected) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(selected);
    new FileColumnsFit(dialog);
}

} // namespace

std::optional<std::string> QtPlatform::openFileName(const FileDialogRequest& request) {
    const QStringList filters = qtFilters(request.filter);
    QFileDialog dialog(parentWidget(), QString::fromStdString(request.title), startFolder(request.initialDir));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepare(dialog, filters, filters.value(std::max(0, request.filterIndex - 1)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString name = dialog.selectedFiles().front();
    if (name.isEmpty()) return std::nullopt;
    dataFolder_ = QFileInfo(name).absolutePath();
    return name.toStdString();
}

std::optional<std::string> QtPlatform::saveFileName(const FileDialogRequest& request) {
    const QStringList filters = qtFilters(request.filter);
    const QString selected = filters.value(std::max(0, request.filterIndex - 1));
    // In the folder asked for, else in that of the data last opened (never in
    // the program's working folder); a proposed name with its own folder (the
    // file saved last) stands as it is.
    QString start = startFolder(request.initialDir);
    if (!request.proposedName.empty()) {
        const QString proposed = QString::fromStdString(request.proposedName);
        start = QFileInfo(proposed).isAbsolute() ? proposed : start + "/" + proposed;
    }
    QFileDialog dialog(parentWidget(), QString::fromStdString(request.title), start);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    prepare(dialog, filters, selected);
    if (!request.defaultSuffixes.empty()) {
        // A name typed without an extension gets that of the file type chosen
        // (before the dialog asks about replacing a file of that name).
        const auto suffixFor = [&](const QString& filter) {
            const qsizetype i = filters.indexOf(filter);
            return i >= 0 && static_cast<std::size_t>(i) < request.defaultSuffixes.size()
                       ? QString::fromStdString(request.defaultSuffixes[static_cast<std::size_t>(i)])
                       : QString();
        };
        dialog.setDefaultSuffix(suffixFor(selected));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString name = dialog.selectedFiles().front();
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

void QtPlatform::runModal(ModalDialog& dialog) {
    const auto it = forms().find(dialog.dialogName());
    if (it == forms().end()) {
        // Never a silent default answer: the user would not know why nothing was asked.
        ReportProgramFault(tx::NoDialogForm + std::string(dialog.dialogName()));
        dialog.answerDefault();
        return;
    }
    it->second(dialog, parentWidget());
}

bool QtPlatform::setClipboardText(const std::string& utf8Text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(QString::fromStdString(utf8Text));
    return true;
}

QString QtPlatform::mimeTypeFor(const std::string& formatName) {
    QString name = QString::fromStdString(formatName).toLower();
    name.replace('_', '-');
    return "application/x-" + name;
}

bool QtPlatform::setClipboardBlock(const std::string& formatName, const std::vector<std::uint8_t>& block) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    auto* data = new QMimeData;
    data->setData(mimeTypeFor(formatName),
                  QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
    clipboard->setMimeData(data);
    return true;
}

std::optional<std::vector<std::uint8_t>> QtPlatform::clipboardBlock(const std::string& formatName) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    const QString mime = mimeTypeFor(formatName);
    if (!data || !data->hasFormat(mime)) return std::nullopt;
    const QByteArray bytes = data->data(mime);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtPlatform::setClipboardPicture(const std::vector<std::uint8_t>& wmf, const std::string& svg) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    auto* data = new QMimeData;
    data->setData("image/x-wmf",
                  QByteArray(reinterpret_cast<const char*>(wmf.data()), static_cast<qsizetype>(wmf.size())));
    const QByteArray svgBytes = QByteArray::fromStdString(svg);
    data->setData("image/svg+xml", svgBytes);
    QSvgRenderer renderer(svgBytes);
    if (renderer.isValid()) {
        const QSize size = renderer.defaultSize().scaled(1456, 1240, Qt::KeepAspectRatio);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        data->setImageData(image);
    }
    clipboard->setMimeData(data);
    return true;
}

void QtPlatform::showHelp(int context) {
    if (helpHandler) helpHandler(context);
}

} // namespace zeb
