#include "shell/windows/info_window.h"

#include "shell/qt/fonts.h"
#include "shell/qt/qt_pictures.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/version.h"
#include "shell/texts/languages.h"
#include "shell/texts/pictures.h"
#include "shell/windows/contact.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace tavro {

namespace {

constexpr int kClientWidth = 514;
constexpr int kClientHeight = 263;
constexpr int kPanelWidth = 506;
constexpr int kPanelHeight = 226;

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPixmap Jpeg(int number) {
    return ScreenPixmap(number);
}

// A label that shows its text at its own size, like an auto-sized label.
void SetAutoSizedText(QLabel* label, const QString& text, int left, int top) {
    label->setText(text);
    label->move(left, top);
    label->adjustSize();
}

} // namespace

TFormInfo::TFormInfo(QWidget* owner) : TVkForm(owner) {
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("  INFO"));
    // A dialog border: title and close box, no resizing, no minimising.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    SetFixedClientSize(kClientWidth, kClientHeight);

    Panel_Bild = new QFrame(this);
    Panel_Bild->setObjectName(QStringLiteral("Panel_Bild"));
    Panel_Bild->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel_Bild->setLineWidth(1);
    Panel_Bild->setGeometry(3, 3, kPanelWidth, kPanelHeight);

    // Created bottom to top: the product picture lies under everything else
    // of the panel.
    Image_Bild = NewLabel(Panel_Bild, "Image_Bild");
    Image_Energie = NewLabel(Panel_Bild, "Image_Energie");
    Image_AHRI = NewLabel(Panel_Bild, "Image_AHRI");
    Image_ProduktLogo = NewLabel(Panel_Bild, "Image_ProduktLogo");
    Image_Eurovent = NewLabel(Panel_Bild, "Image_Eurovent");
    Image_TUV = NewLabel(Panel_Bild, "Image_TUV");
    Label_Firma = NewLabel(Panel_Bild, "Label_Firma");
    Label_Internet = NewLabel(Panel_Bild, "Label_Internet");
    Label1 = NewLabel(Panel_Bild, "Label1");
    Label_EMail = NewLabel(Panel_Bild, "Label_EMail");
    for (QLabel* mark : {Image_Energie, Image_ProduktLogo, Image_Eurovent, Image_AHRI}) {
        mark->setScaledContents(true);
    }

    Bevel_Linie = new QFrame(this);
    Bevel_Linie->setObjectName(QStringLiteral("Bevel_Linie"));
    Bevel_Linie->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel_Linie->setGeometry(5, 237, 416, 12);
    // The line runs along the top edge of its area, above the version text.
    Bevel_Linie->setFrameRect(QRect(0, 0, 416, 2));
    Label_Version = NewLabel(this, "Label_Version");
    Label_Hinweis = NewLabel(this, "Label_Hinweis");

    Button_OK = new QPushButton(QStringLiteral("OK"), this);
    Button_OK->setObjectName(QStringLiteral("Button_OK"));
    Button_OK->setGeometry(431, 236, 75, 25);
    SetDefaultButton(Button_OK);
    SetCancelButton(Button_OK);
    SetButtonResult(Button_OK, mrOk);
    connect(Button_OK, &QPushButton::clicked, this, [this] {
        if (!IsModal()) close();
    });

    for (QWidget* w : std::initializer_list<QWidget*>{Image_ProduktLogo, Image_Eurovent, Image_AHRI,
                                                      Image_TUV, Label_Internet, Label_EMail}) {
        w->setCursor(Qt::PointingHandCursor);
        w->installEventFilter(this);
    }

    FormCreate();
    Button_OK->setFocus();
    CentreOnScreen();
}

void TFormInfo::FormCreate() {
    SetCaptions();

    // The product picture at its own size, as far as the panel's inside holds it.
    const QPixmap picture = Jpeg(3101);
    Image_Bild->setPixmap(picture);
    Image_Bild->setGeometry(3, 3, std::min(LayoutSize(picture).width(), kPanelWidth - 6),
                            std::min(LayoutSize(picture).height(), kPanelHeight - 6));
    Image_ProduktLogo->setPixmap(Jpeg(3401));

    const int left = Image_Bild->x();
    const int top = Image_Bild->y();
    Image_Energie->setGeometry(left + 156, top + 46, 220, 14);
    Image_ProduktLogo->setGeometry(left + 247, top + 66, 62, 62);
    Image_Eurovent->setGeometry(left + 308, top + 81, 62, 62);
    Image_AHRI->setGeometry(left + 157, Image_ProduktLogo->y() + 9, 89, 50);
    Image_Eurovent->setPixmap(Jpeg(198));
    Image_AHRI->setPixmap(Jpeg(200));
    const QPixmap testMark = ScreenPixmap(196);
    Image_TUV->setPixmap(testMark);
    Image_TUV->setGeometry(QRect(QPoint(405, 46), LayoutSize(testMark)));

    Panel_Bild->resize(kPanelWidth, kPanelHeight);

    SetAutoSizedText(Label_Version,
                     QStringLiteral("Version ") + QString::fromStdString(VersionLong()), 8, 245);
    SetAutoSizedText(Label_Hinweis, QString::fromUtf8(kMakerLegalNotice), 240, 245);
    SetAutoSizedText(Label_Internet,
                     QStringLiteral("Internet: ") + QString::fromUtf8(kMakerWebAddress), 14, 202);
    SetAutoSizedText(Label_Firma, QString::fromUtf8(kMakerPostalAddress), 97, 185);
    SetAutoSizedText(Label1, QString::fromUtf8(kMakerTelephone), 184, 202);
    SetAutoSizedText(Label_EMail, QStringLiteral("Mail: ") + QString::fromUtf8(kMakerMailAddress),
                     333, 202);
}

int TFormInfo::BannerFor(int language) {
    switch (language) {
    case kGerman:
        return 1900;
    case kFrench:
        return 3900;
    case kPolish:
        return 7900;
    case kChinese:
        return 8900;
    case kRussian:
        return 9900;
    default:
        return 2900;
    }
}

void TFormInfo::SetCaptions() {
    TVkForm::SetCaptions();
    Image_Energie->setPixmap(Jpeg(BannerFor(CurrentLanguage)));
    Image_ProduktLogo->setToolTip(QString::fromUtf8(kMakerWebAddress));
    Image_Eurovent->setToolTip(QString::fromUtf8(kEuroventUrl));
    Image_AHRI->setToolTip(QString::fromUtf8(kAhriUrl));
}

QString TFormInfo::MainCaption() const {
    if (!mainCaption_.isEmpty()) return mainCaption_;
    return parentWidget() ? parentWidget()->window()->windowTitle() : QString();
}

void TFormInfo::Image_ProduktLogoClick() {
    OpenWebSite();
}

void TFormInfo::Label_InternetClick() {
    OpenWebSite();
}

void TFormInfo::Label_EMailClick() {
    OpenMail(MainCaption());
}

void TFormInfo::Image_EuroventClick() {
    OpenEuroventSite();
}

void TFormInfo::Image_AHRIClick() {
    OpenAhriSite();
}

void TFormInfo::Label_InternetMouseEnter(QLabel* label) {
    // Only the underline is the label's own; face and size still follow the
    // window's font when a language change replaces it.
    QFont underlined;
    underlined.setUnderline(true);
    label->setFont(underlined);
}

void TFormInfo::Label_InternetMouseLeave(QLabel* label) {
    label->setFont(QFont());
}

bool TFormInfo::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && (label == Label_Internet || label == Label_EMail)) {
        if (event->type() == QEvent::Enter) Label_InternetMouseEnter(label);
        if (event->type() == QEvent::Leave) Label_InternetMouseLeave(label);
    }
    if (label && event->type() == QEvent::MouseButtonRelease) {
        // A click is a left button released over the control it was pressed on.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label == Image_ProduktLogo) Image_ProduktLogoClick();
            if (label == Label_Internet) Label_InternetClick();
            if (label == Label_EMail) Label_EMailClick();
            if (label == Image_Eurovent) Image_EuroventClick();
            if (label == Image_AHRI) Image_AHRIClick();
            return true;
        }
    }
    return TVkForm::eventFilter(watched, event);
}

} // namespace tavro
