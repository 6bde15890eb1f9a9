#include "shell/qt/qt_text.h"
#include "shell/qt/version.h"
#include "shell/texts/languages.h"
#include "shell/texts/pictures.h"
#include "shell/windows/contact.h"
#include "shell/windows/info_window.h"
#include "shell/windows/splash.h"

#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tavro {
namespace {

// Records the addresses the contact commands would open; no browser starts.
class Opened {
public:
    Opened() {
        SetUrlOpener([this](const QUrl& url) { urls.push_back(url.toString(QUrl::FullyEncoded)); });
    }
    ~Opened() { SetUrlOpener(nullptr); }
    std::vector<QString> urls;
};

// The information window of this program in German.
class InfoWindow : public testing::Test {
protected:
    void SetUp() override {
        InitVersionText("tavro");
        CurrentLanguage = kGerman;
        window = std::make_unique<TFormInfo>();
    }
    void TearDown() override {
        window.reset();
        CurrentLanguage = kEnglish;
    }
    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    std::unique_ptr<TFormInfo> window;
};

QImage Rgba(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGBA8888);
}

TEST(Version, FirstLetterOfTheProgramFileName) {
    const VersionTexts tavro = VersionTextsFor("tavro");
    EXPECT_EQ(tavro.longForm, "4.2, 11/2016");
    EXPECT_EQ(tavro.shortForm, "4.2, 11/16");
    EXPECT_EQ(VersionTextsFor("/usr/bin/Tavro").longForm, "4.2, 11/2016");
    EXPECT_EQ(VersionTextsFor("corra.exe").longForm, "4.4, 11/2016");
    EXPECT_EQ(VersionTextsFor("C:\\Programme\\Corra.exe").shortForm, "4.4, 11/16");
    EXPECT_EQ(VersionTextsFor("x").longForm, "4.6, 11/2016");
    EXPECT_EQ(VersionTextsFor("").longForm, "4.6, 11/2016");
    // Only the file's own name counts, not the folders it lies in.
    EXPECT_EQ(VersionTextsFor("/opt/tavro/xtool").longForm, "4.6, 11/2016");
    EXPECT_EQ(VersionTextsFor("/opt/x/").longForm, "4.6, 11/2016");

    InitVersionText("/usr/local/bin/corra");
    EXPECT_EQ(VersionLong(), "4.4, 11/2016");
    EXPECT_EQ(VersionShort(), "4.4, 11/16");
    InitVersionText("tavro");
    EXPECT_EQ(VersionLong(), "4.2, 11/2016");
}

TEST(Contact, MailLinkEncodesTheWholeSubject) {
    EXPECT_EQ(MailLink(QStringLiteral("Tavro"), "4.2, 11/2016"),
              "mailto:info@zelvanor.example?subject="
              "Zelvanor%20Software%3A%20Tavro%2C%20Version%204.2%2C%2011%2F2016");
    // A caption cannot add fields or a fragment to the link; other scripts
    // go as UTF-8.
    EXPECT_EQ(MailLink(QStringLiteral("A&body=x#y?"), "4.2, 11/2016"),
              "mailto:info@zelvanor.example?subject="
              "Zelvanor%20Software%3A%20A%26body%3Dx%23y%3F%2C%20Version%204.2%2C%2011%2F2016");
    EXPECT_TRUE(MailLink(QString::fromUtf8("\xD0\xA2"), "4.2, 11/2016")
                    .contains(QStringLiteral("Software%3A%20%D0%A2%2C")));
}

TEST_F(InfoWindow, HelpMenuAndWindowSendTheSameMail) {
    const QString caption = QString::fromUtf8("Tavro \xE2\x80\x93 Plattenw\xC3\xA4rmetauscher");
    Opened opened;
    OpenMail(caption); // the Help menu's command
    window->SetMainCaption(caption);
    Click(window->Label_EMail);
    ASSERT_EQ(opened.urls.size(), 2u);
    EXPECT_EQ(opened.urls[0], opened.urls[1]);
    EXPECT_EQ(opened.urls[0], MailLink(caption, "4.2, 11/2016"));
}

TEST_F(InfoWindow, MailNamesTheOwnersCaptionWhenNoneWasSet) {
    TVkForm owner;
    owner.setWindowTitle(QStringLiteral("Tavro"));
    TFormInfo info(&owner);
    Opened opened;
    Click(info.Label_EMail);
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0], MailLink(QStringLiteral("Tavro"), "4.2, 11/2016"));
}

TEST_F(InfoWindow, ClicksOpenTheirAddresses) {
    Opened opened;
    Click(window->Image_ProduktLogo);
    Click(window->Label_Internet);
    Click(window->Image_Eurovent);
    Click(window->Image_AHRI);
    // The test mark, the telephone and the address do nothing; nor does
    // the right button.
    Click(window->Image_TUV);
    Click(window->Label1);
    Click(window->Label_Firma);
    QTest::mouseClick(window->Image_AHRI, Qt::RightButton, {}, QPoint(5, 5));
    const std::vector<QString> expected = {
        "https://www.zelvanor.example", "https://www.zelvanor.example",
        "https://certification.eurovent.example", "https://directory.ahri.example"};
    EXPECT_EQ(opened.urls, expected);
}

TEST_F(InfoWindow, BannerFollowsTheLanguage) {
    const QImage german = Rgba(ToQImage(LoadJpegResource(1900)));
    const QImage russian = Rgba(ToQImage(LoadJpegResource(9900)));
    ASSERT_NE(german, russian);
    EXPECT_EQ(Rgba(window->Image_Energie->pixmap().toImage()), german);
    CurrentLanguage = kRussian;
    window->SetCaptions(); // as the main window does after a language change
    EXPECT_EQ(Rgba(window->Image_Energie->pixmap().toImage()), russian);

    EXPECT_EQ(TFormInfo::BannerFor(kFrench), 3900);
    EXPECT_EQ(TFormInfo::BannerFor(kPolish), 7900);
    EXPECT_EQ(TFormInfo::BannerFor(kChinese), 8900);
    EXPECT_EQ(TFormInfo::BannerFor(kEnglish), 2900);
    EXPECT_EQ(TFormInfo::BannerFor(kSpanish), 2900);
}

TEST_F(InfoWindow, ControlsAtTheirPlaces) {
    TFormInfo& w = *window;
    EXPECT_EQ(w.windowTitle(), "  INFO");
    EXPECT_EQ(w.size(), QSize(514, 263));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.font().family(), "Tahoma");
    EXPECT_EQ(w.font().pixelSize(), 11);

    EXPECT_EQ(w.Panel_Bild->geometry(), QRect(3, 3, 506, 226));
    EXPECT_EQ(w.Image_Bild->pos(), QPoint(3, 3));
    EXPECT_EQ(w.Image_Energie->geometry(), QRect(159, 49, 220, 14));
    EXPECT_EQ(w.Image_ProduktLogo->geometry(), QRect(250, 69, 62, 62));
    EXPECT_EQ(w.Image_Eurovent->geometry(), QRect(311, 84, 62, 62));
    EXPECT_EQ(w.Image_AHRI->geometry(), QRect(160, 78, 89, 50));
    EXPECT_EQ(w.Image_TUV->pos(), QPoint(405, 46));
    EXPECT_EQ(w.Label_Firma->pos(), QPoint(97, 185));
    EXPECT_EQ(w.Label_Internet->pos(), QPoint(14, 202));
    EXPECT_EQ(w.Label1->pos(), QPoint(184, 202));
    EXPECT_EQ(w.Label_EMail->pos(), QPoint(333, 202));
    for (QWidget* inPanel : std::initializer_list<QWidget*>{
             w.Image_Bild, w.Image_Energie, w.Image_ProduktLogo, w.Image_Eurovent, w.Image_AHRI,
             w.Image_TUV, w.Label_Firma, w.Label_Internet, w.Label1, w.Label_EMail}) {
        EXPECT_EQ(inPanel->parentWidget(), w.Panel_Bild) << inPanel->objectName().toStdString();
        EXPECT_EQ(w.findChild<QWidget*>(inPanel->objectName()), inPanel);
    }
    EXPECT_EQ(w.Bevel_Linie->geometry(), QRect(5, 237, 416, 12));
    EXPECT_EQ(w.Label_Version->pos(), QPoint(8, 245));
    EXPECT_EQ(w.Label_Hinweis->pos(), QPoint(240, 245));
    EXPECT_EQ(w.Button_OK->geometry(), QRect(431, 236, 75, 25));
    EXPECT_TRUE(w.Button_OK->isDefault());

    EXPECT_EQ(w.Label_Version->text(), "Version 4.2, 11/2016");
    EXPECT_EQ(w.Label_Internet->text(), "Internet: www.zelvanor.example");
    EXPECT_EQ(w.Label_EMail->text(), "Mail: info@zelvanor.example");
    EXPECT_EQ(w.Image_ProduktLogo->toolTip(), "www.zelvanor.example");
    EXPECT_EQ(w.Image_Eurovent->toolTip(), "https://certification.eurovent.example");
    EXPECT_EQ(w.Image_AHRI->toolTip(), "https://directory.ahri.example");
    for (QWidget* clickable :
         std::initializer_list<QWidget*>{w.Image_ProduktLogo, w.Image_Eurovent, w.Image_AHRI,
                                         w.Image_TUV, w.Label_Internet, w.Label_EMail}) {
        EXPECT_EQ(clickable->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_NE(w.Label1->cursor().shape(), Qt::PointingHandCursor);

    // Each text fits before its right neighbour and inside its area.
    EXPECT_LT(w.Label_Internet->geometry().right(), w.Label1->x());
    EXPECT_LT(w.Label1->geometry().right(), w.Label_EMail->x());
    EXPECT_LT(w.Label_EMail->geometry().right(), w.Panel_Bild->width() - 2);
    EXPECT_LT(w.Label_Firma->geometry().right(), w.Panel_Bild->width() - 2);
    EXPECT_LT(w.Label_Version->geometry().right(), w.Label_Hinweis->x());
    EXPECT_LT(w.Label_Hinweis->geometry().right(), w.Button_OK->x());
    EXPECT_LE(w.Label_Version->geometry().bottom(), w.height());
}

TEST_F(InfoWindow, InternetAndMailUnderlinedWhileTheMouseIsOver) {
    for (QLabel* label : {window->Label_Internet, window->Label_EMail}) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(label, &enter);
        EXPECT_TRUE(label->font().underline());
        EXPECT_EQ(label->font().family(), "Tahoma");
        EXPECT_EQ(label->font().pixelSize(), 11);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(label, &leave);
        EXPECT_FALSE(label->font().underline());
        EXPECT_EQ(label->font(), window->font());
    }
}

TEST_F(InfoWindow, ShownModallyUntilOk) {
    TVkForm::SetModalHook([](TVkForm& form) {
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button_OK")),
                          Qt::LeftButton);
        return static_cast<int>(mrCancel);
    });
    EXPECT_EQ(window->ShowModal(), mrOk);
    EXPECT_FALSE(window->isVisible());
    // Escape answers the same button.
    TVkForm::SetModalHook([](TVkForm& form) {
        QTest::keyClick(&form, Qt::Key_Escape);
        return static_cast<int>(mrNone);
    });
    EXPECT_EQ(window->ShowModal(), mrOk);
    TVkForm::SetModalHook(nullptr);
}

TEST(Splash, OnlyThePicturePanel) {
    const std::unique_ptr<TFormInfo> splash = CreateSplash();
    splash->show();
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash->size(), QSize(506, 226));
    EXPECT_EQ(splash->Panel_Bild->geometry(), QRect(0, 0, 506, 226));
    EXPECT_EQ(splash->Panel_Bild->frameShadow(), QFrame::Raised);
    EXPECT_EQ(splash->Image_Bild->pos(), QPoint(3, 3));
    EXPECT_TRUE(splash->Image_Energie->isVisible());
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             splash->Label_Version, splash->Label_Hinweis, splash->Button_OK}) {
        EXPECT_FALSE(hidden->isVisible());
        EXPECT_FALSE(splash->rect().intersects(hidden->geometry()));
    }
}

TEST(Splash, StandsItsTimeAndIsFreed) {
    const size_t formsBefore = TVkForm::Forms().size();
    QSize shown;
    QTimer::singleShot(10, [&] {
        for (TVkForm* form : TVkForm::Forms()) {
            if (qobject_cast<TFormInfo*>(form) && form->isVisible()) shown = form->size();
        }
    });
    QElapsedTimer clock;
    clock.start();
    ShowSplash(50);
    EXPECT_GE(clock.elapsed(), 50);
    EXPECT_EQ(shown, QSize(506, 226));
    EXPECT_EQ(TVkForm::Forms().size(), formsBefore);
}

} // namespace
} // namespace tavro
