// The post log's folded body copies, kept beside the text so that keyword matching needs no
// per-post conversion.
#include "input/AnalysisLog.h"
#include "input/PostLog.h"
#include "match/Folding.h"

#include <cstdint>
#include <cstring>
#include <exception>
#include <new>

namespace lorvanel {

bool PostLog::ensureFoldedBodies() {
    if (!hasText()) return false;
    if (hasFoldedBodies()) return true;

    // Each copy sits at its body's offset. The buffers span the whole text (one NUL per file
    // makes it longer than the bytes read) plus room for bodies that live outside it.
    std::size_t size = textCapacity_;
    for (const PostRecord* p : posts)
        if (!inText(p->body)) size += std::strlen(p->body) + 1;

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

    std::size_t outside = textCapacity_;
    for (PostRecord* p : posts) {
        const std::size_t length = std::strlen(p->body);
        std::size_t offset;
        if (inText(p->body)) {
            offset = static_cast<std::size_t>(p->body - text_.get());
        } else {
            offset = outside;
            outside += length + 1;
        }
        char* f = folded.get() + offset;
        const std::size_t foldedLength = foldWidthAndCase(p->body, length, f);
        f[foldedLength] = '\0';
        char* k = kanaFolded.get() + offset;
        k[foldKana(f, foldedLength, k)] = '\0';
        p->foldedAt_ = static_cast<std::uint32_t>(offset + 1);
    }
    foldedText_ = std::move(folded);
    kanaFoldedText_ = std::move(kanaFolded);
    return true;
}

} // namespace lorvanel
