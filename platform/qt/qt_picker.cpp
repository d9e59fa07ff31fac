#include "platform/qt/qt_picker.h"

#include "platform/qt/qt_text.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tavlo {
namespace {

// The toolkit's own file dialog. Its folder mode lets no file be chosen, so the folder
// picker lists files as the file picker does, and confirming a folder there takes the
// folder where the toolkit would enter it.
class PickerDialog final : public QFileDialog {
public:
    PickerDialog(QWidget* parent, const QString& title, const QString& folder, bool folderMayBeChosen)
        : QFileDialog(parent, title, folder), folderMayBeChosen_(folderMayBeChosen)
    {
    }

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (folderMayBeChosen_ && chosen.size() == 1 && QFileInfo(chosen.first()).isDir())
            QDialog::accept();
        else
            QFileDialog::accept();
    }

private:
    bool folderMayBeChosen_;
};

} // namespace

std::optional<std::string> showPickerDialog(QWidget* parent, const PickerRequest& request)
{
    // Our own toolkit's dialog, not the desktop's, so that it behaves the same everywhere.
    PickerDialog dialog(parent, fromSystem(request.title), fromSystem(request.startFolder), request.folderMayBeChosen);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setObjectName(QStringLiteral("TavloPicker"));
    // "*.*" is every file, also one whose name has no dot: the toolkit's "*".
    QStringList filters;
    for (const std::string& pattern : {request.firstPattern, request.secondPattern}) {
        const QString filter = pattern == "*.*" ? QStringLiteral("*") : fromSystem(pattern);
        if (!filters.contains(filter))
            filters << filter;
    }
    dialog.setNameFilters(filters);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::string();
    QString chosen = dialog.selectedFiles().first();
    // A chosen folder ends in the separator, so that the folder part is the folder itself.
    if (QFileInfo(chosen).isDir() && !chosen.endsWith(QLatin1Char('/')))
        chosen += QLatin1Char('/');
    return toSystem(chosen);
}

} // namespace tavlo
