#include "cli/BatchReport.h"

#include "cli/BatchRun.h"
#include "core/RunTimeError.h"
#include "reports/text/AnalysisClock.h"
#include "reports/text/ReportFile.h"
#include "reports/text/ReportText.h"

namespace mnemex::batch {

bool WriteBatchReport(PublicStuff& state, const std::string& path,
                      const report::SectionSet& sections, std::ostream& err) {
    try {
        const std::string bytes = report::BuildReport(state, sections, report::AnalysisTimeNow());
        report::WriteFileWhole(path, bytes);
        return true;
    } catch (const report::FileOperationError& e) {
        err << "mnemex-batch: " << ConsoleText(e.what()) << '\n';
    } catch (const RunTimeException& e) {
        err << "mnemex-batch: the report could not be built: " << e.Error().Description << '\n';
    }
    return false;
}

}  // namespace mnemex::batch
