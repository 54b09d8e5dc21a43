#include "core/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

frmMain::frmMain(int twipsX, int twipsY)
{
    setWindowTitle("Quillora");
    // Client area of 8520 x 5370 twips.
    resize(8520 / std::max(twipsX, 1), 5370 / std::max(twipsY, 1));
    buildTrayMenu();
}

void frmMain::buildTrayMenu()
{
    mnuMain = new QMenu("Main", this);
    mnuEnable = mnuMain->addAction("Enable", this, &frmMain::translateToggleRequested);
    mnusep2 = mnuMain->addSeparator();
    mnuOpen = mnuMain->addAction("Open", this, &frmMain::ShowMe);
    mnuConnect = mnuMain->addAction("Reconnect", this, &frmMain::reconnectRequested);
    mnuAbout = mnuMain->addAction("About", this, &frmMain::aboutRequested);
    nmusep5 = mnuMain->addSeparator();
    mnuSettings = mnuMain->addAction("Settings", this, &frmMain::settingsRequested);
    sep1 = mnuMain->addSeparator();
    mnuExit = mnuMain->addAction("Exit", this, &frmMain::exitRequested);
    mnuMain->setDefaultAction(mnuEnable);
}

void frmMain::ShowMe()
{
    show();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    raise();
    activateWindow();
    emit topmostRequested();
}

void frmMain::setBrowserView(QWidget* view)
{
    WB = view;
    if (WB)
        WB->setParent(this);
    Form_Resize();
}

void frmMain::Form_QueryUnload(bool& cancel, UnloadMode mode)
{
    switch (mode) {
    case UnloadMode::UserClose:
        cancel = true;
        hide();
        break;
    case UnloadMode::FromCode:
        break;
    case UnloadMode::SessionEnd:
        emit exitRequested();
        break;
    }
}

void frmMain::Form_Resize()
{
    if (WB)
        WB->setGeometry(0, 0, width(), height());
}

void frmMain::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_QueryUnload(cancel, event->spontaneous() ? UnloadMode::UserClose : UnloadMode::FromCode);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}
