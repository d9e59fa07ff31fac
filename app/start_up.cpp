#include "app/start_up.h"

namespace tavlo {

void Form_Load(Platform& p)
{
    using enum ControlId;
    runSkippingFailures(
        [&] {
            const auto pixels = static_cast<float>(p.ui.screenWidthTwips() / p.ui.twipsPerPixelX());
            p.form.setText(txtMAX_N_FILES, pixels < 800 ? "6" : "10");
        },
        [&] { p.form.setText(txtMAX_PER_RIGA, "5"); },
        [&] { p.form.setEnabled(Command1, false); },
        [&] { p.form.setEnabled(Command4, false); },
        [&] { p.form.setEnabled(Command5, false); },
        [&] {
            if (p.ui.msgBox(MessageKind::WindowMode, kWindowModeQuestion, Buttons::YesNo) == Answer::Yes)
                for (ControlId id : {Command2, Command1, Label5, txtNOME_FILE_HTM})
                    p.form.setVisible(id, false);
        },
        [&] { p.form.setText(txtPATH_RICERCA, p.fs.programFolder() + p.fs.separator()); },
        [&] { p.form.setText(txtNOME_FILE_HTM, p.fs.programFolder() + p.fs.separator() + "TAVLO.HTM"); });
}

} // namespace tavlo
