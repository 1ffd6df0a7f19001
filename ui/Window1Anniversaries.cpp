#include "ui/Window1.h"

#include "ui/AnnDlg.h"

void Window1::ShowAnnDlg()
{
    {
        AnnDlg dlg(this);
        dlg.SetRows(pAnvsy);
        m_annDlg = &dlg;
        dlg.exec();
        m_annDlg = nullptr;
        TakeAnnDlgRows(dlg);
    }
    RefreshPreview();
}

void Window1::TakeAnnDlgRows(const AnnDlg& dlg)
{
    if (dlg.pReturn)
        pAnvsy = dlg.Entries();
}
