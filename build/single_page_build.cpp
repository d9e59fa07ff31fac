#include "build/single_page_build.h"

#include "build/open_page.h"
#include "build/template_copy.h"
#include "pages/page_writer.h"
#include "platform/text_rules.h"

namespace tavlo {

void Command1_Click(Platform& p, JobVariables& job)
{
    job.Elenco_Confermato = 0;
    if (numericValue(p.form.text(ControlId::txtNUM_FILE)) == 0) {
        refuse(p, "Nessun files da elaborare !!!");
        return;
    }
    if (numericValue(p.form.text(ControlId::txtMAX_PER_RIGA)) < 1) {
        refuse(p, "Indicare quante immagini si voglio per ogni riga !!!");
        return;
    }
    p.form.setText(ControlId::txtMAX_N_FILES, "0");
    const OutputPath output = splitOutputPath(p);
    job.Cartella_Tavlo = output.folder;
    job.Nome_File_Htm = output.name;
    if (!enterPageFolder(p, job.Cartella_Tavlo))
        return;

    job.Num_Files = p.form.listCount();
    job.Primo_File = 1;
    job.Ultimo_File = static_cast<double>(job.Num_Files);
    job.Nome_Pagina = pageNameFrom(job.Nome_File_Htm);
    Crea_Pagina(p, job);
    Copia_Modelli(p, job);

    const std::string page = job.Cartella_Tavlo + job.Nome_Pagina;
    if (p.ui.msgBox("Visualizzo la pagina creata " + page + " (S/N) ", kYesNo) == kAnswerYes)
        openPage(p, job.Nome_Pagina, page);
    p.form.setEnabled(ControlId::Command5, true);
}

} // namespace tavlo
