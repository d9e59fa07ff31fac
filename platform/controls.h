#pragma once
// The operations on the main window's controls that the system's procedures use.
// Backends (a real window, or the headless one of the command line and the tests)
// implement them.

#include <string>
#include <string_view>

namespace tavlo {

// Every control of frmTAVLO, in tab order. Label6_0..Label6_6 are the control array Label6(0..6).
enum class ControlId {
    txtPATH_RICERCA,
    txtESTENSIONE,
    txtNOME_FILE_HTM,
    List1,
    cmdCONFERMA,
    Command1,
    cmdFINE,
    Label1,
    Label2,
    Label3,
    txtNUM_FILE,
    Label4,
    Label5,
    Command2,
    Command3,
    cmdCONFERMA_Tutti,
    Label6_0,
    Label6_1,
    Label6_2,
    Label6_3,
    cmdCANC_FILE,
    cmdIns_File,
    Label6_4,
    Label6_5,
    Command4,
    txtMAX_N_FILES,
    Label7,
    txtMAX_PER_RIGA,
    Label8,
    Check1,
    chkMINIATURE,  // thumbnails beside the pages
    Command5,
    Label6_6,
    CommonDialog1,
};

class Controls {
public:
    virtual ~Controls() = default;

    /// Text of a text box (or caption of another control).
    virtual std::string text(ControlId id) const = 0;
    virtual void setText(ControlId id, std::string_view text) = 0;
    virtual bool isEnabled(ControlId id) const = 0;
    virtual void setEnabled(ControlId id, bool enabled) = 0;
    virtual bool isVisible(ControlId id) const = 0;
    virtual void setVisible(ControlId id, bool visible) = 0;
    /// Check state of a check box: 0 unchecked, 1 checked.
    virtual int checkValue(ControlId id) const = 0;
    /// Check state of Check1.
    int checkValue() const { return checkValue(ControlId::Check1); }

    // List1: an unsorted single-selection list, entries in insertion order.
    virtual void listAdd(std::string_view entry) = 0;
    virtual long listCount() const = 0;
    /// Entry at a zero-based index; empty text past either end.
    virtual std::string listItem(long index) const = 0;
    /// Index of the selected entry, -1 when none is selected.
    virtual long listIndex() const = 0;
    virtual void listRemove(long index) = 0;
    virtual void listClear() = 0;
};

} // namespace tavlo
