// A thread of a run's own that loads reports one after another, reusing its
// buffers, and frees the trees it built once the run hands them back. Memory
// then goes back to the thread that took it: a tree freed by another thread
// makes the two contend for the allocator, which cost a folder comparison
// more than a tenth of its time. Jobs run in the order they are given.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "app/report_loader.h"
#include "files/file_io.h"
#include "report/object_tree.h"

namespace tarnwick {

class LoaderThread {
 public:
  // Stage texts of failures are in `language` and name `side`; reports are
  // read in `encoding`.
  explicit LoaderThread(UiLanguage language = UiLanguage::Japanese,
                        ReportSide side = ReportSide::None,
                        ReportEncoding encoding = ReportEncoding::Automatic);
  // Finishes every job given, then stops.
  ~LoaderThread();
  LoaderThread(const LoaderThread&) = delete;
  LoaderThread& operator=(const LoaderThread&) = delete;

  // Loads as LoadReportKept does without a window; afterwards the buffers
  // give back what a large report left in them.
  std::future<LoadedReport> Load(FilePath path);
  // Frees a tree this thread loaded, on this thread.
  void Discard(CollectionPtr tree);

 private:
  void Post(std::function<void()> job);
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  UiLanguage language_;
  ReportSide side_;
  ReportBuffers buffers_;  // touched by the thread only
  std::thread thread_;     // last: starts once the rest is ready
};

}  // namespace tarnwick
