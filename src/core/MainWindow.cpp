#include "core/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

MainWindow::MainWindow(int twipsX, int twipsY)
{
    setWindowTitle("Quillora");
    // Client area of 8520 x 5370 twips.
    resize(8520 / std::max(twipsX, 1), 5370 / std::max(twipsY, 1));
    buildTrayMenu();
}

void MainWindow::buildTrayMenu()
{
    trayMenu = new QMenu("Main", this);
    toggleItem = trayMenu->addAction("Enable", this, &MainWindow::translateToggleRequested);
    mnusep2 = trayMenu->addSeparator();
    openItem = trayMenu->addAction("Open", this, &MainWindow::showWithPage);
    reconnectItem = trayMenu->addAction("Reconnect", this, &MainWindow::reconnectRequested);
    aboutItem = trayMenu->addAction("About", this, &MainWindow::aboutRequested);
    nmusep5 = trayMenu->addSeparator();
    settingsItem = trayMenu->addAction("Settings", this, &MainWindow::settingsRequested);
    sep1 = trayMenu->addSeparator();
    exitItem = trayMenu->addAction("Exit", this, &MainWindow::exitRequested);
    trayMenu->setDefaultAction(toggleItem);
}

void MainWindow::showWithPage()
{
    show();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    raise();
    activateWindow();
    emit topmostRequested();
}

void MainWindow::setBrowserView(QWidget* view)
{
    pageView = view;
    if (pageView)
        pageView->setParent(this);
    fitPageView();
}

void MainWindow::decideClose(bool& cancel, CloseReason mode)
{
    switch (mode) {
    case CloseReason::UserClose:
        cancel = true;
        hide();
        break;
    case CloseReason::FromCode:
        break;
    case CloseReason::SessionEnd:
        emit exitRequested();
        break;
    }
}

void MainWindow::fitPageView()
{
    if (pageView)
        pageView->setGeometry(0, 0, width(), height());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    decideClose(cancel, event->spontaneous() ? CloseReason::UserClose : CloseReason::FromCode);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitPageView();
}
