#pragma once
// The whole system on the headless window: real folders in a temporary tree, the
// platform's real file system (optionally failing where a test says), and frmTAVLO.
// This is the Linux rig; the Windows one lies in tests/windows/support.

#include "app/frm_tavlo.h"
#include "platform/headless/headless_platform.h"
#include "support/faulty_file_system.h"
#include "support/native.h"
#include "support/temp_tree.h"

#include <memory>
#include <string>

namespace tavlo::test {

struct RigOptions {
    bool caseSensitive = true;
    bool withProgramTemplates = true;  // the header and footer beside the program
    /// The fixed template folder is a copy of the shipped one in the tree ("templates"),
    /// which a test may change or write into; otherwise the shipped folder itself.
    bool templatesInTree = false;
};

class Rig {
public:
    explicit Rig(RigOptions options = {})
        : ownedFs_(makeFileSystem(tree, options)), fs(*ownedFs_), pictures(createPictures()), form(controls, ui, *ownedFs_, pictures.get())
    {
    }

    TempTree tree;

private:
    std::unique_ptr<FaultyFileSystem> ownedFs_;  // built before the members that use it

public:
    HeadlessControls controls;
    HeadlessUi ui;
    FaultyFileSystem& fs;
    const std::unique_ptr<Pictures> pictures;  // the platform's own imaging
    frmTAVLO form;

    /// Folders of the rig inside the tree.
    std::string programFolder() const { return tree.at("program"); }
    std::string homeFolder() const { return tree.at("home"); }
    /// The fixed template folder the rig's file system names, ending in a separator.
    std::string templateFolder() { return fs.templateFolder(); }

    void click(ControlId id) { form.click(id); }
    std::string text(ControlId id) const { return controls.text(id); }
    void type(ControlId id, std::string_view text) { controls.setText(id, text); }
    JobVariables& job() { return form.job(); }
    Platform& platform() { return form.platform(); }

    /// Starts the program the way a user does, answering the window-mode question.
    void start(bool simplified = false)
    {
        ui.answerNext(simplified ? kAnswerYes : kAnswerNo);
        form.Form_Load();
    }

private:
    static std::unique_ptr<FaultyFileSystem> makeFileSystem(const TempTree& tree, const RigOptions& options);
};

/// The folder of the shipped template files.
std::string sourceTemplateFolder();

/// The platform's own file system outside any rig, with the program folder it
/// reports given (empty: the running program's folder).
std::unique_ptr<FileSystem> createPlatformFileSystem(const std::string& programFolder = {});

} // namespace tavlo::test
