#pragma once
#include <QString>

namespace zephrix {

// Opens a page of the help folder in the desktop's browser. `page` is the
// page's file name ("index.html") and becomes its full path. Failures are told
// in a message box: no browser to start ("Browser Not Found"), or the browser
// would not start ("URL Failed").
void OpenHelpPage(QString& page);

// The same for a web address (the maker's site behind "Check Version").
void OpenWebPage(const QString& address);

} // namespace zephrix
