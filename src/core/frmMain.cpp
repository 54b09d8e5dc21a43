#include "core/frmMain.h"

#include <QCloseEvent>

frmMain::frmMain(int twipsX, int twipsY)
{
    setWindowTitle("Quillora");
    // Client area of 8520 x 5370 twips.
    resize(8520 / std::max(twipsX, 1), 5370 / std::max(twipsY, 1));
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
