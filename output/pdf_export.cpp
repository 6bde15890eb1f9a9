// Writing recorded pages into a PDF file, and handing the file to the
// desktop's viewer.

#include "output/pdf_export.h"

#include "output/pdf_canvas.h"
#include "output/recording.h"

#include <QDesktopServices>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <unistd.h>

namespace tavro {

namespace {

// A file next to the target that takes the document first, so that the
// target is replaced only by a complete file (rename is atomic within one
// folder). Removed again unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        std::random_device random;
        // A collision needs another writer with the same random name;
        // a few tries are enough.
        int error = 0;
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string name =
                target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(random());
            // 0666 and the umask give the file the permissions of any other
            // new file (mkstemp would leave it private to the user).
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                name_ = name;
                return;
            }
            error = errno;
            if (error != EEXIST) break;
        }
        throw Error(std::string("cannot create a file beside it: ") + std::strerror(error));
    }
    ~TemporaryFile() {
        if (!name_.empty()) ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Name() const { return name_; }

    void RenameTo(const std::string& target) {
        if (std::rename(name_.c_str(), target.c_str()) != 0) {
            throw Error(std::string("cannot replace it: ") + std::strerror(errno));
        }
        name_.clear();
    }

private:
    std::string name_;
};

std::mutex openerMutex;
std::function<void(const QString&)> opener;

} // namespace

void WritePdf(const std::string& path, const std::vector<const Recording*>& pages,
              const PdfDocumentInfo& info) {
    const std::string where = "cannot write the PDF file \"" + path + "\": ";
    if (path.empty()) throw Error("cannot write a PDF file without a name");
    if (pages.empty()) throw Error(where + "there are no pages (a PDF needs at least one)");
    for (const Recording* page : pages) {
        if (page == nullptr) throw Error(where + "a page is missing");
    }
    try {
        PdfDocument doc;
        const HPDF_Doc handle = doc.Handle();
        if (!info.author.empty()) {
            doc.Check(HPDF_SetInfoAttr(handle, HPDF_INFO_AUTHOR, info.author.c_str()),
                      "setting the author");
        }
        doc.Check(HPDF_SetPageLayout(handle, HPDF_PAGE_LAYOUT_SINGLE), "setting the page layout");
        doc.Check(HPDF_SetViewerPreference(handle, HPDF_FIT_WINDOW), "setting the viewer");
        for (const Recording* page : pages) {
            TPdfCanvas canvas(doc, doc.AddA4Page());
            // The whole A4 sheet, 210 × 297 mm, in page units.
            page->Play(canvas, QRect(0, 0, 2100, 2970));
        }
        doc.Check(HPDF_OK, "ending the pages");
        TemporaryFile file(path);
        doc.SaveTo(file.Name());
        file.RenameTo(path);
    } catch (const Error& e) {
        throw Error(where + e.what());
    }
}

void OpenDocument(const QString& path) {
    std::function<void(const QString&)> open;
    {
        const std::lock_guard<std::mutex> lock(openerMutex);
        open = opener;
    }
    try {
        if (open) {
            open(path);
        } else {
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        }
    } catch (...) {
        // Showing the file is a courtesy; it has been written either way.
    }
}

void SetDocumentOpener(std::function<void(const QString&)> replacement) {
    const std::lock_guard<std::mutex> lock(openerMutex);
    opener = std::move(replacement);
}

} // namespace tavro
