#include "doc/PreparedChange.h"

#include "platform/DeferredAlerts.h"

#include <exception>

namespace lorvanel {

void runPreparation(PreparedChange& change, CancelToken* token, const std::function<void()>& work) {
    CancelScope cancel(token);
    RedirectAnalysisLog redirect(change.analysis);
    DeferredAlerts alerts;
    try {
        throwIfCancelled();
        work();
        change.alerts = alerts.take();
    } catch (const OperationCancelled&) {
        // Whatever was computed is dropped here, on the preparing thread; the messages of a
        // cancelled operation are nobody's business any more.
        alerts.take();
        const PreparedChange::Kind kind = change.kind;
        change = PreparedChange();
        change.kind = kind;
        change.cancelled = true;
        change.ok = false;
    } catch (const std::exception& e) {
        // Out of memory half-way, say: told like any failure of the operation, which then
        // leaves what a failure leaves; nothing may escape a worker's thread.
        analysisLog().appendException(e);
        const PreparedChange::Kind kind = change.kind;
        AnalysisLog kept = std::move(change.analysis);
        const bool clears = change.clearsAnalysisLog;
        change = PreparedChange();
        change.kind = kind;
        change.ok = false;
        change.analysis = std::move(kept);
        change.clearsAnalysisLog = clears;
        change.alerts = alerts.take();
    }
}

} // namespace lorvanel
