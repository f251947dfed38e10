// The paint steps of the posting calendar and the weekday × hour map: the whole picture of
// each kind at 640 × 480 into an off-screen image, from the whole log, as the graph tab
// paints it (the series are recomputed on every paint).
#include "Steps.h"

#ifdef LORVANEL_BENCH_PAINT
#include "graph/ChartPainter.h"
#include "graph/GraphKinds.h"
#include "input/PostLog.h"
#include "ui/GraphImage.h"
#include "ui/GraphImageQt.h"
#endif

namespace lorvanel::bench {

std::vector<Step> calendarPaintSteps(PostLog& log) {
    std::vector<Step> steps;
#ifdef LORVANEL_BENCH_PAINT
    // Fonts need a Gui application; the steps of both logs share one, which goes with them.
    static std::weak_ptr<OffscreenGui> shared;
    std::shared_ptr<OffscreenGui> gui = shared.lock();
    if (!gui) shared = gui = std::make_shared<OffscreenGui>();

    struct Paint {
        std::shared_ptr<OffscreenGui> gui;
        ChartPainter painter;
        std::unique_ptr<GraphKind> kind;
        QImage image;
    };
    const struct {
        int kind;
        const char* name;
    } kinds[] = {{3, "paint 640x480, kind 3 posting calendar"},
                 {4, "paint 640x480, kind 4 weekday x hour map"}};
    for (const auto& k : kinds) {
        auto paint = std::make_shared<Paint>();
        paint->gui = gui;
        paint->kind = createGraphKind(k.kind, paint->painter, nullptr);
        paint->kind->attach(&log.posts);
        Step step;
        step.name = k.name;
        step.target = 0.3;
        step.run = [p = paint.get()] {
            p->image = renderGraphImage(*p->kind, p->painter, 640, 480);
        };
        step.state = std::move(paint);
        steps.push_back(std::move(step));
    }
#else
    (void)log;
#endif
    return steps;
}

} // namespace lorvanel::bench
