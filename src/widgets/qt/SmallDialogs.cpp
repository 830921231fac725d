#include "widgets/qt/SmallDialogs.h"

#include "texts/CommonTexts.h"
#include "texts/FrameTexts.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(tx::AboutCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* panel = new QFrame(this);
    panel->setObjectName("noticePanel");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    panel->setPalette(pal);

    auto* icon = new QLabel(panel);
    icon->setObjectName("ProgramIcon");
    icon->setPixmap(QIcon(":/app/zebstat.svg").pixmap(64, 64));
    // The product name carries a single ampersand; a label would take it as a mnemonic.
    auto* product = new QLabel(panel);
    product->setObjectName("ProductName");
    product->setTextFormat(Qt::PlainText);
    product->setText(QString(tx::ProductName).trimmed());
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(tx::VersionText, panel);
    version->setObjectName("Version");
    auto* picture = new QLabel(panel);
    picture->setObjectName("ProgramPicture");
    picture->setPixmap(QIcon(":/app/zebstat.svg").pixmap(220, 160));
    picture->setAlignment(Qt::AlignCenter);

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    auto* names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(version);
    head->addLayout(names, 1);
    auto* inner = new QVBoxLayout(panel);
    inner->addLayout(head);
    inner->addWidget(picture);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addStretch();
    layout->addLayout(row);
}

PrintingNotice::PrintingNotice(QWidget* parent) : QDialog(parent) {
    setObjectName("PrintingNotice");
    setWindowTitle(tx::PrintNoticeCaption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(585, 135);
    auto* sending = new QLabel(tx::PrintNoticeSending, this);
    dest_ = new QLabel(this);
    dest_->setObjectName("destinationLabel");
    dest_->setMinimumWidth(569);
    QFont bold = dest_->font();
    bold.setBold(true);
    dest_->setFont(bold);
    auto* wait = new QLabel(tx::PrintNoticeWait, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sending);
    layout->addWidget(dest_);
    layout->addWidget(wait);
}

void PrintingNotice::setDestination(const QString& printer) { dest_->setText(printer); }

} // namespace zeb
