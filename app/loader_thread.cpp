#include "app/loader_thread.h"

#include <memory>
#include <utility>

namespace tarnwick {

LoaderThread::LoaderThread(UiLanguage language, ReportSide side, ReportEncoding encoding)
    : language_(language), side_(side), buffers_(encoding), thread_([this] { Run(); }) {}

LoaderThread::~LoaderThread() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

std::future<LoadedReport> LoaderThread::Load(FilePath path) {
  auto task = std::make_shared<std::packaged_task<LoadedReport()>>([this, path = std::move(path)] {
    LoadedReport loaded = LoadReportKept(path, nullptr, buffers_, language_, side_);
    buffers_.ReleaseLarge();
    return loaded;
  });
  std::future<LoadedReport> result = task->get_future();
  Post([task] { (*task)(); });
  return result;
}

void LoaderThread::Discard(CollectionPtr tree) {
  if (tree) Post([tree = std::move(tree)]() mutable { tree.reset(); });
}

void LoaderThread::Post(std::function<void()> job) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void LoaderThread::Run() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
  }
}

}  // namespace tarnwick
