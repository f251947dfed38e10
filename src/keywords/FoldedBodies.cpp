// The post log's folded body copies, kept beside the text so that keyword matching needs no
// per-post conversion.
#include "input/AnalysisLog.h"
#include "input/PostLog.h"
#include "match/Folding.h"
#include "platform/Cancellation.h"
#include "platform/LargeBuffer.h"
#include "platform/WorkerPool.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <new>
#include <utility>
#include <vector>

namespace lorvanel {

bool PostLog::ensureFoldedBodies() {
    if (!hasText()) return false;
    if (hasFoldedBodies()) return true;

    // Each copy sits at its body's offset. The buffers span the whole text (one NUL per file
    // makes it longer than the bytes read) plus room for bodies that live outside it, placed
    // after it in list order.
    std::size_t size = textCapacity_;
    std::vector<std::pair<std::size_t, std::size_t>> outside; // (post, offset)
    for (std::size_t i = 0; i < posts.size(); ++i) {
        const char* body = posts[i]->body;
        if (inText(body)) continue;
        outside.emplace_back(i, size);
        size += std::strlen(body) + 1;
    }

    std::unique_ptr<char[]> folded;
    std::unique_ptr<char[]> kanaFolded;
    try {
        // Records keep their copies' offsets in 32 bits.
        if (size >= UINT32_MAX) throw std::bad_alloc();
        folded = allocateTextBuffer(size);
        kanaFolded = allocateTextBuffer(size);
    } catch (const std::exception& e) {
        analysisLog().appendException(e);
        return false;
    }

    // Nearly every page of both copies gets a body: all are mapped at once, each copy by a
    // thread of its own.
    runParts(2, [&](std::size_t k) { prefaultBuffer(k ? kanaFolded.get() : folded.get(), size); });

    // Folding is most of what a first keyword-file analysis costs, and each body's copies
    // are its own: the posts are folded in parts side by side.
    const std::size_t n = posts.size();
    const std::size_t parts = partsFor(n);
    runParts(parts, [&](std::size_t part) {
        const auto [first, last] = partRange(n, parts, part);
        auto next =
            std::lower_bound(outside.begin(), outside.end(), std::make_pair(first, std::size_t{0}));
        CancelPoll poll;
        for (std::size_t i = first; i < last; ++i) {
            poll();
            PostRecord* p = posts[i];
            const std::size_t length = std::strlen(p->body);
            std::size_t offset;
            if (next != outside.end() && next->first == i) {
                offset = next->second;
                ++next;
            } else {
                offset = static_cast<std::size_t>(p->body - text_.get());
            }
            char* f = folded.get() + offset;
            const std::size_t foldedLength = foldWidthAndCase(p->body, length, f);
            f[foldedLength] = '\0';
            char* k = kanaFolded.get() + offset;
            k[foldKana(f, foldedLength, k)] = '\0';
            p->foldedAt_ = static_cast<std::uint32_t>(offset + 1);
        }
    });
    foldedText_ = std::move(folded);
    kanaFoldedText_ = std::move(kanaFolded);
    return true;
}

} // namespace lorvanel
