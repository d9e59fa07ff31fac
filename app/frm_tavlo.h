#pragma once
// frmTAVLO: the one window's logic. It owns the scan state and the job variables
// for the whole run, and routes each click to its handler.

#include "filelist/folder_scan.h"
#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

class frmTAVLO {
public:
    frmTAVLO(Controls& controls, Ui& ui, FileSystem& fs, const Pictures* pictures = nullptr);

    /// The window's load event: start-up.
    void Form_Load();
    /// A click on a control; a control that is disabled or hidden cannot be clicked.
    void click(ControlId id);
    /// The window was closed: the program ends as with the end button.
    void close();

    JobVariables& job() { return job_; }
    ScanState& scan() { return scan_; }
    Platform& platform() { return p_; }

private:
    void route(ControlId id);

    Platform p_;
    ScanState scan_;
    JobVariables job_;
};

} // namespace tavlo
