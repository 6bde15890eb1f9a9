#pragma once

// The information window of the Help menu: the product picture with the
// family logo, the certification marks and the language's banner, the
// maker's address, the version and the legal notice. Cut down to its
// picture panel it is also the splash picture at start.

#include "controls/vk_form.h"

#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace tavro {

class TFormInfo : public TVkForm {
    Q_OBJECT

public:
    /// Creates the window with its pictures; a missing or broken picture
    /// resource throws ResourceError.
    explicit TFormInfo(QWidget* owner = nullptr);

    /// Assigns UiFont, loads the banner of CurrentLanguage and sets the hints
    /// of the three clickable marks. The labels keep their texts in every
    /// language.
    void SetCaptions() override;

    /// The main window's caption, named in the subject of the e-mail
    /// command. When none was set the owner's caption is used.
    void SetMainCaption(const QString& caption) { mainCaption_ = caption; }
    QString MainCaption() const;

    /// The resource number of the banner shown for a language.
    static int BannerFor(int language);

    // Inside the picture panel.
    QFrame* Panel_Bild;
    QLabel* Image_Bild;
    QLabel* Image_Energie;
    QLabel* Image_ProduktLogo;
    QLabel* Image_Eurovent;
    QLabel* Image_AHRI;
    QLabel* Image_TUV;
    QLabel* Label_Firma;
    QLabel* Label_Internet;
    QLabel* Label1;
    QLabel* Label_EMail;
    // Below it.
    QFrame* Bevel_Linie;
    QLabel* Label_Version;
    QLabel* Label_Hinweis;
    QPushButton* Button_OK;

    void Image_ProduktLogoClick();
    void Label_InternetClick();
    void Label_EMailClick();
    void Image_EuroventClick();
    void Image_AHRIClick();
    /// Shared by Label_Internet and Label_EMail: underline while the mouse
    /// is over the label.
    void Label_InternetMouseEnter(QLabel* label);
    void Label_InternetMouseLeave(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    QString mainCaption_;
};

} // namespace tavro
