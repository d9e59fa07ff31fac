#pragma once
// The window speaks Italian, and so do the toolkit's own boxes and dialogs, whatever
// the desktop's language.

class QCoreApplication;
class QMessageBox;

namespace tavlo {

/// Installs the toolkit's Italian translations (its file dialog, its context menus)
/// and makes Italian the toolkit's language for dates and sizes.
void speakItalian(QCoreApplication& app);

/// The answer buttons of a message box: "Sì" and "No", answered also by the keys S
/// and N, or "OK" alone.
void setItalianButtons(QMessageBox& box, bool yesNo);

} // namespace tavlo
