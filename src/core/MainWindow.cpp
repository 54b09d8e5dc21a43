#include "core/MainWindow.h"

#include <QCloseEvent>

MainWindow::MainWindow()
{
    setWindowTitle("Quillora");
    resize(568, 358);
}

void MainWindow::showWithPage()
{
    // Made topmost first: changing the band recreates the window, which would lose the
    // activation asked for below, and shows it without activating it.
    emit topmostRequested();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    show();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    raise();
    activateWindow();
    // The keyboard goes to the page, where the user came to type.
    if (pageView)
        pageView->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::setPageView(QWidget* view)
{
    pageView = view;
    if (pageView)
        pageView->setParent(this);
    fitPageView();
}

void MainWindow::decideClose(bool& cancel, CloseReason reason)
{
    switch (reason) {
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
