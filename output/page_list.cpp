#include "output/page_list.h"

namespace tavro {

namespace {

PreviewRunner& Runner() {
    static PreviewRunner runner;
    return runner;
}

} // namespace

void SetPreviewRunner(PreviewRunner runner) {
    Runner() = std::move(runner);
}

bool PreviewAvailable() {
    return static_cast<bool>(Runner());
}

bool RunPreview(QWidget* owner, PageOwner& source, const PageList& pages,
                std::function<void()> notesCommand) {
    if (!Runner()) return false;
    Runner()(owner, source, pages, std::move(notesCommand));
    return true;
}

} // namespace tavro
