#include "cli/BatchReport.h"

#include "cli/BatchOptions.h"
#include "core/RunTimeError.h"
#include "reports/text/AnalysisClock.h"
#include "reports/text/ReportText.h"

namespace mnemex::batch {

bool WriteBatchReport(PublicStuff& state, const std::string& path,
                      const report::SectionSet& sections, const output::WriteOptions& options,
                      std::ostream& err) {
    try {
        const std::string bytes = report::BuildReport(state, sections, report::AnalysisTimeNow());
        const auto failed = output::WriteWhole(path, bytes, options);
        if (!failed)
            return true;
        err << "mnemex-batch: the report could not be written to " << Quoted(path) << ": "
            << failed->Reason() << '\n';
    } catch (const RunTimeException& e) {
        err << "mnemex-batch: the report could not be built: " << e.Error().Description << '\n';
    }
    return false;
}

}  // namespace mnemex::batch
