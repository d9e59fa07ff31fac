#pragma once
// The whole system on the headless window: real folders in a temporary tree (the program
// folder "program", the home folder "home"), the real file system (failing where a test says).
#include "app/frm_tavlo.h"
#include "support/headless_controls.h"
#include "platform/pictures.h"
#include "support/faulty_file_system.h"
#include "support/headless_ui.h"
#include "support/native.h"
#include "support/temp_tree.h"

namespace tavlo::test {

struct RigOptions {
    bool caseSensitive = true;         // Linux only: Windows ignores letter case
    bool withProgramTemplates = true;  // the shipped header and footer beside the program
    bool templatesInTree = false;      // the template folder: a copy in the tree ("templates")
};

class Rig {
public:
    explicit Rig(RigOptions options = {})
        : ownedFs_(makeFileSystem(tree, options)), fs(*ownedFs_), form(controls, ui, *ownedFs_, pictures.get()) {}
    TempTree tree;

private:
    std::unique_ptr<FaultyFileSystem> ownedFs_;  // built before the members that use it
    static std::unique_ptr<FaultyFileSystem> makeFileSystem(const TempTree& tree, const RigOptions& options);

public:
    HeadlessControls controls;
    HeadlessUi ui;
    FaultyFileSystem& fs;
    const std::unique_ptr<Pictures> pictures = createPictures();  // the platform's own imaging
    frmTAVLO form;

    std::string programFolder() const { return tree.at("program"); }
    std::string templateFolder() { return fs.templateFolder(); }
    void click(ControlId id) { form.click(id); }
    std::string text(ControlId id) const { return controls.text(id); }
    void type(ControlId id, std::string_view text) { controls.setText(id, text); }
    JobVariables& job() { return form.job(); }
    Platform& platform() { return form.platform(); }
    void start(bool simplified = false) { ui.answerNext(simplified ? Answer::Yes : Answer::No), form.Form_Load(); }
};

// Once per platform: support/posix.cpp, windows/win_support.cpp.
std::string sourceTemplateFolder();
std::unique_ptr<FileSystem> createFileSystem(const std::string& program, const std::string& templates,
                                             const std::string& home, bool caseSensitive);
/// The platform's file system outside a rig, reporting this program folder (empty: the real one).
inline std::unique_ptr<FileSystem> createPlatformFileSystem(const std::string& program = {})
{
    return createFileSystem(program, "", "", true);
}

} // namespace tavlo::test
