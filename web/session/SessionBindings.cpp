// The training session as the page's worker sees it: one class whose methods take and give
// text (JSON, or a file's contents). Training files and saved networks may come as bytes
// (a Uint8Array), so a file in any encoding reaches the core unchanged.
#include <emscripten/bind.h>

#include "web/session/WebSession.h"

EMSCRIPTEN_BINDINGS(mnemex_web_session) {
    using mnemex::web::WebSession;
    emscripten::class_<WebSession>("WebSession")
        .constructor<>()
        .function("setNumberSigns", &WebSession::SetNumberSigns)
        .function("openTrainingFile", &WebSession::OpenTrainingFile)
        .function("info", &WebSession::Info)
        .function("prepare", &WebSession::Prepare)
        .function("advance", &WebSession::Advance)
        .function("requestStop", &WebSession::RequestStop)
        .function("reset", &WebSession::Reset)
        .function("probe", &WebSession::Probe)
        .function("report", &WebSession::Report)
        .function("history", &WebSession::History)
        .function("weights", &WebSession::Weights)
        .function("patternPictures", &WebSession::PatternPictures)
        .function("testAll", &WebSession::TestAll)
        .function("explainUnit", &WebSession::ExplainUnit)
        .function("saveNetwork", &WebSession::SaveNetwork)
        .function("openSavedNetwork", &WebSession::OpenSavedNetwork)
        .function("weightsCsv", &WebSession::WeightsCsv)
        .function("measuresCsv", &WebSession::MeasuresCsv)
        .function("historyCsv", &WebSession::HistoryCsv);
}
