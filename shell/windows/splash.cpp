#include "shell/windows/splash.h"

#include "shell/texts/resources.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QThread>

#include <algorithm>

namespace tavro {

std::unique_ptr<TFormInfo> CreateSplash() {
    auto splash = std::make_unique<TFormInfo>();
    splash->setObjectName(QStringLiteral("FormSplash"));
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    // Raised inner and outer bevel, one pixel each; the picture keeps its
    // place at 3, 3.
    splash->Panel_Bild->setFrameStyle(QFrame::Panel | QFrame::Raised);
    splash->Panel_Bild->setLineWidth(2);
    splash->Panel_Bild->setGeometry(0, 0, 506, 226);
    splash->Image_Bild->move(3, 3);
    // Outside the window anyway; hidden so that neither Enter nor Escape
    // reaches the button.
    for (QWidget* w : std::initializer_list<QWidget*>{splash->Bevel_Linie, splash->Label_Version,
                                                      splash->Label_Hinweis, splash->Button_OK}) {
        w->hide();
    }
    splash->SetFixedClientSize(506, 226);
    splash->CentreOnScreen();
    return splash;
}

void ShowSplash(int milliseconds) {
    std::unique_ptr<TFormInfo> splash;
    try {
        splash = CreateSplash();
    } catch (const ResourceError&) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    splash->show();
    splash->repaint();
    // While the picture stands only the window system's own events (showing,
    // exposing, painting) are handled; no user input is.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    while (clock.elapsed() < milliseconds) {
        const qint64 left = milliseconds - clock.elapsed();
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(left, 1, 10)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    splash->close();
}

} // namespace tavro
