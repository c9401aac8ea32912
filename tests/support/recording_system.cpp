#include "support/recording_system.h"

TRecordingSystem::TRecordingSystem() : ui_thread_(std::this_thread::get_id()), previous_(SetSystemOps(this)) {}

TRecordingSystem::~TRecordingSystem() { SetSystemOps(previous_); }

int TRecordingSystem::ShowMessageBox(bool owned, const std::string& text, const std::string& caption, uint32_t style) {
  std::lock_guard<std::mutex> l(m_);
  boxes_.push_back({owned, text, caption, style});
  if (answers.empty()) return IdOk;
  int a = answers.front();
  answers.pop_front();
  return a;
}

int TRecordingSystem::StartCommand(const std::string& commandLine, int showMode) {
  std::lock_guard<std::mutex> l(m_);
  commands_.push_back({commandLine, showMode});
  return startStatus;
}

int32_t TRecordingSystem::WindowStyleOf(int32_t handle) {
  auto it = styles.find(handle);
  return it == styles.end() ? 0 : it->second;
}

void TRecordingSystem::SetWindowStyleOf(int32_t handle, int32_t style) {
  if (styles.count(handle)) styles[handle] = style;
}

void TRecordingSystem::RedrawMenuBar(int32_t handle) { menuRedraws.push_back(handle); }

bool TRecordingSystem::IsUIThread() { return std::this_thread::get_id() == ui_thread_; }

bool TRecordingSystem::RunOnUIThread(const std::function<void()>& fn) {
  if (!hasAppWindow) return false;
  if (IsUIThread()) {
    fn();
    return true;
  }
  std::unique_lock<std::mutex> l(m_);
  const uint64_t ticket = ++queued_count_;
  queued_.push_back(fn);
  cv_.notify_all();
  cv_.wait(l, [&] { return done_ >= ticket; });
  return true;
}

void TRecordingSystem::PostToUIThread(std::function<void()> fn) {
  std::lock_guard<std::mutex> l(m_);
  ++queued_count_;
  queued_.push_back(std::move(fn));
  cv_.notify_all();
}

void TRecordingSystem::Pump() {
  for (;;) {
    std::function<void()> fn;
    {
      std::lock_guard<std::mutex> l(m_);
      if (queued_.empty()) return;
      fn = std::move(queued_.front());
      queued_.pop_front();
    }
    fn();
    {
      std::lock_guard<std::mutex> l(m_);
      ++done_;
    }
    cv_.notify_all();
  }
}

std::vector<TRecordingSystem::Box> TRecordingSystem::boxes() const {
  std::lock_guard<std::mutex> l(m_);
  return boxes_;
}

std::vector<TRecordingSystem::Command> TRecordingSystem::commands() const {
  std::lock_guard<std::mutex> l(m_);
  return commands_;
}
