#include "driver/run_output.h"

#include "hydraulics/run_messages.h"
#include "report/header_page.h"
#include "report/station_row.h"

namespace floodwave {

void RunOutput::Start() { WriteHeaderPage(run_, kResultsChannel); }

void RunOutput::OfferTime(float T, const FlowState& state) {
  WriteStationRow(T, run_.DT, run_.NFREQ, state, run_.NSTAT, kResultsChannel);
}

void RunOutput::Stopped(RunStop why) { ShowRunStop(why); }

void RunOutput::Finished() { ShowNormalEnd(); }

}  // namespace floodwave
