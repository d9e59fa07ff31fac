#include "pages/write_fallback.h"

#include "platform/text_rules.h"

namespace tavlo {

AfterFailure handleWriteFailure(Services& p, JobVariables& job, const Failure& failure, int& retries)
{
    p.ui.beep();
    const std::string location = job.Cartella_Tavlo + job.Nome_Pagina;
    const std::string error = " ERR=" + numberForMessage(failure.code) + " - " + failure.description;
    const bool placeProblem = failure.code == kErrAccess || failure.code == kErrPathNotFound;

    if (placeProblem && retries == 0) {
        p.ui.msgBox(MessageKind::WriteFailure, "Errore in registrazione Elenco (forse e' un CD-ROM) " + location +
                        "\r\rTento di registrare sul disco C: \r\r" + error,
                    Buttons::OkOnly);
        retries = 1;
        job.Cartella_Tavlo = p.fs.sameFolderOnDriveC(job.Cartella_Tavlo);
        return AfterFailure::Restart;
    }
    if (placeProblem && retries == 1) {
        p.ui.msgBox(MessageKind::WriteFailure, "Errore in registrazione Elenco (non esiste stessa cartella) " + location +
                        "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM \r\r" + error,
                    Buttons::OkOnly);
        retries = 2;
        job.Cartella_Tavlo = p.fs.driveCRoot();
        job.Nome_Pagina = "TAVLO.HTM";
        return AfterFailure::Restart;
    }
    p.ui.msgBox(MessageKind::WriteFailure, "Errore in registrazione Elenco " + location + "\r\r" + error, Buttons::OkOnly);
    return AfterFailure::GiveUp;
}

} // namespace tavlo
