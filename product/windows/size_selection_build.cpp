// Building the size list of the size selection in the background: the
// window keeps answering while the candidates are calculated, a progress
// bar appears for long builds, a new build abandons the running one, and
// closing never waits.

#include "product/windows/size_selection_dialog.h"

#include "controls/message_dialog.h"
#include "product/windows/tavro_window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHideEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <atomic>
#include <exception>

namespace tavro {

/// One build: its own copy of the record, what the background thread
/// reports, and the flag that abandons it. Shared by the window and the
/// thread, so either may end first.
struct SizeListJob {
    TDatenREK record;
    SizeCriteria criteria;
    TFormBaugroessen_Tavro::ListBuilder builder;
    int total = 0;
    std::atomic<bool> cancel{false};
    std::atomic<int> progress{0};
    // Written by the thread before `finished`, read by the window after.
    SizeList list;
    std::exception_ptr fault;
    std::atomic<bool> finished{false};
};

namespace {

// How often the window looks at a running build (ms).
constexpr int kPollIntervalMs = 25;

void RunJob(const std::shared_ptr<SizeListJob>& job) {
    try {
        job->list = job->builder(job->record, job->criteria,
                                 {.cancel = &job->cancel, .progress = &job->progress});
    } catch (...) {
        job->fault = std::current_exception();
    }
    job->finished.store(true, std::memory_order_release);
}

} // namespace

TFormBaugroessen_Tavro::~TFormBaugroessen_Tavro() {
    AbandonBuild();
    for (auto& [job, thread] : threads_) {
        job->cancel = true;
        thread.join();
    }
}

bool TFormBaugroessen_Tavro::Building() const {
    return job_ != nullptr;
}

void TFormBaugroessen_Tavro::BuildList(bool sort) {
    if (!Owner) return;
    AbandonBuild();
    JoinFinishedBuilds();
    ListView1->clear();
    Button_Baugroesse->setEnabled(false);
    selectFirstWhenBuilt_ = false;
    sortWhenBuilt_ = sort;
    auto job = std::make_shared<SizeListJob>();
    try {
        Owner->ReadInputs();
        Owner->ReadDeviceInputs();
        job->criteria = Criteria();
        // The bypass velocity of the dialog is the record's from now on,
        // also when the window's device change restores the rest.
        Owner->Daten->AirVelBypass = job->criteria.vBypass;
        job->record = *Owner->Daten;
        job->total = SizeListCandidates(job->criteria);
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
        return;
    }
    job->builder =
        Builder ? Builder
                : ListBuilder([](TDatenREK& r, const SizeCriteria& c, const SizeListRun& run) {
                      return BuildSizeList(r, c, run);
                  });
    job_ = job;
    threads_.emplace_back(job, std::thread(RunJob, job));
    if (!buildTimer_) {
        buildTimer_ = new QTimer(this);
        buildTimer_->setInterval(kPollIntervalMs);
        connect(buildTimer_, &QTimer::timeout, this, [this] { PollBuild(); });
    }
    buildClock_.start();
    ProgressBar_Liste->setRange(0, std::max(job->total, 1));
    ProgressBar_Liste->setValue(0);
    setCursor(Qt::BusyCursor);
    buildTimer_->start();
}

void TFormBaugroessen_Tavro::PollBuild() {
    JoinFinishedBuilds();
    if (!job_) {
        buildTimer_->stop();
        return;
    }
    if (job_->finished.load(std::memory_order_acquire)) {
        ShowBuiltList();
        return;
    }
    if (buildClock_.elapsed() >= kProgressDelayMs) {
        ProgressBar_Liste->setValue(job_->progress.load(std::memory_order_relaxed));
        ProgressBar_Liste->show();
    }
}

void TFormBaugroessen_Tavro::ShowBuiltList() {
    const std::shared_ptr<SizeListJob> job = std::move(job_);
    job_.reset();
    buildTimer_->stop();
    ProgressBar_Liste->hide();
    unsetCursor();
    if (job->fault) {
        try {
            std::rethrow_exception(job->fault);
        } catch (const std::exception& e) {
            ShowExceptionMessage(e);
        }
        return;
    }
    for (const SizeRow& row : job->list.rows) {
        auto* item = new QTreeWidgetItem(ListView1, RowCells(row));
        for (int c = 1; c < kColumns - 1; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(kColumns - 1, Qt::AlignCenter);
    }
    ++ListBuilds;
    if (sortWhenBuilt_) SortList();
    if (selectFirstWhenBuilt_) SelectFirstRow();
}

void TFormBaugroessen_Tavro::AbandonBuild() {
    if (!job_) return;
    // The thread stops before its next candidate; nobody waits for it.
    job_->cancel = true;
    job_.reset();
    if (buildTimer_) buildTimer_->stop();
    ProgressBar_Liste->hide();
    unsetCursor();
}

void TFormBaugroessen_Tavro::JoinFinishedBuilds() {
    std::erase_if(threads_, [](auto& entry) {
        if (!entry.first->finished.load(std::memory_order_acquire)) return false;
        entry.second.join(); // returns at once: the thread has ended its work
        return true;
    });
}

bool TFormBaugroessen_Tavro::WaitForList(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (Building() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollIntervalMs);
        if (Building() && job_->finished.load(std::memory_order_acquire)) PollBuild();
        QThread::msleep(1);
    }
    return !Building();
}

void TFormBaugroessen_Tavro::hideEvent(QHideEvent* event) {
    // A window minimised keeps building; one closed does not.
    if (!event->spontaneous()) AbandonBuild();
    TVkForm::hideEvent(event);
}

} // namespace tavro
