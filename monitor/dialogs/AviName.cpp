#include "monitor/dialogs/AviName.h"

CString FolderOfPath(const CString& path) {
    const int slash = path.ReverseFind('\\');
    return slash >= 0 ? path.Left(slash) : CString();
}

CString NumberedAviName(const CString& folder, int counter) {
    CString name;
    name.Format("\\BRENIK-%05d.avi", counter);
    return folder + name;
}
