#include "platform/qt/QtPlatform.h"

#include "platform/qt/ProgramFault.h"
#include "texts/CommonTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

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
            for (const QString& v : {t.toLower(), t.toUpper()})
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

std::optional<std::string> QtPlatform::openFileName(const FileDialogRequest& request) {
    const QStringList filters = qtFilters(request.filter);
    QString selected = filters.value(std::max(0, request.filterIndex - 1));
    const QString name = QFileDialog::getOpenFileName(parentWidget(), QString::fromStdString(request.title),
                                                      startFolder(request.initialDir), filters.join(";;"),
                                                      &selected);
    if (name.isEmpty()) return std::nullopt;
    dataFolder_ = QFileInfo(name).absolutePath();
    return name.toStdString();
}

std::optional<std::string> QtPlatform::saveFileName(const FileDialogRequest& request) {
    const QStringList filters = qtFilters(request.filter);
    QString selected = filters.value(std::max(0, request.filterIndex - 1));
    // In the folder asked for, else in that of the data last opened (never in
    // the program's working folder); a proposed name with its own folder (the
    // file saved last) stands as it is.
    QString start = startFolder(request.initialDir);
    if (!request.proposedName.empty()) {
        const QString proposed = QString::fromStdString(request.proposedName);
        start = QFileInfo(proposed).isAbsolute() ? proposed : start + "/" + proposed;
    }
    QFileDialog::Options options;
    if (!request.overwritePrompt) options |= QFileDialog::DontConfirmOverwrite;
    if (!request.defaultSuffixes.empty()) {
        // A name typed without an extension gets that of the file type chosen
        // (before the dialog asks about replacing a file of that name).
        QFileDialog dialog(parentWidget(), QString::fromStdString(request.title), start, filters.join(";;"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOptions(options);
        dialog.selectNameFilter(selected);
        const auto suffixFor = [&](const QString& filter) {
            const qsizetype i = filters.indexOf(filter);
            return i >= 0 && static_cast<std::size_t>(i) < request.defaultSuffixes.size()
                       ? QString::fromStdString(request.defaultSuffixes[static_cast<std::size_t>(i)])
                       : QString();
        };
        dialog.setDefaultSuffix(suffixFor(selected));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().front().toStdString();
    }
    const QString name = QFileDialog::getSaveFileName(parentWidget(), QString::fromStdString(request.title), start,
                                                      filters.join(";;"), &selected, options);
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
