#include "ui/Window1.h"

#include "ui/AnnDlg.h"

void Window1::ShowAnnDlg()
{
    {
        AnnDlg dlg(this);
        dlg.SetRows(pAnvsy);
        dlg.exec();
        if (dlg.pReturn)
            pAnvsy = dlg.Entries();
    }
    RefreshPreview();
}
