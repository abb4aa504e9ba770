// Scripted platform services for tests: special folders pointing into a test's temporary folder, a
// message service and file choosers that record what they were asked and answer from a script, an
// in-process clipboard, and the portable registry on a file in the temporary folder.
#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/file_choosers.h"
#include "platform/keyboard_layouts.h"
#include "platform/messages.h"
#include "platform/portable_registry.h"
#include "platform/services.h"
#include "platform/special_folders.h"

namespace zil::test {

class FakeFolders final : public platform::SpecialFolders {
 public:
  std::optional<std::filesystem::path> documents;
  std::optional<std::filesystem::path> applicationData;
  std::filesystem::path fixed;
  std::optional<std::filesystem::path> override;

  std::optional<std::filesystem::path> Documents() const override { return documents; }
  std::optional<std::filesystem::path> ApplicationData() const override { return applicationData; }
  std::filesystem::path FixedDataFolder() const override { return fixed; }
  std::optional<std::filesystem::path> DataFolderOverride() const override { return override; }
};

class RecordingMessages final : public platform::Messages {
 public:
  struct Shown {
    std::u16string caption;
    std::u16string text;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
    std::optional<platform::ScreenPoint> at;  // where the caller placed the box
    std::vector<std::u16string> choices;      // the buttons named by the caller (Choose), else none
  };
  std::vector<Shown> shown;
  std::deque<platform::MessageAnswer> answers;  // the default answer is the first button
  std::deque<std::size_t> chosen;               // Choose's answers; the default is the first button

  platform::MessageAnswer Show(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    return Answer({caption, text, icon, buttons, std::nullopt, {}});
  }
  platform::MessageAnswer ShowAt(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                                 platform::MessageButtons buttons, platform::ScreenPoint at) override {
    return Answer({caption, text, icon, buttons, at, {}});
  }
  std::size_t Choose(const std::u16string& caption, const std::u16string& text, platform::MessageIcon icon,
                     const std::vector<std::u16string>& choices) override {
    shown.push_back({caption, text, icon, platform::MessageButtons::Ok, std::nullopt, choices});
    if (chosen.empty()) return 0;
    const std::size_t answer = chosen.front();
    chosen.pop_front();
    return answer;
  }

 private:
  platform::MessageAnswer Answer(Shown asked) {
    const platform::MessageButtons buttons = asked.buttons;
    shown.push_back(std::move(asked));
    if (!answers.empty()) {
      const auto answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == platform::MessageButtons::Ok || buttons == platform::MessageButtons::OkCancel
               ? platform::MessageAnswer::Ok
               : platform::MessageAnswer::Yes;
  }
};

class ScriptedFileChoosers final : public platform::FileChoosers {
 public:
  struct Asked {
    bool save;
    platform::FileChoice choice;
  };
  std::vector<Asked> asked;
  std::deque<std::optional<std::filesystem::path>> answers;  // with none left, the user cancels

  std::optional<std::filesystem::path> ChooseFileToOpen(const platform::FileChoice& choice) override {
    return Answer(false, choice);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const platform::FileChoice& choice) override {
    return Answer(true, choice);
  }

 private:
  std::optional<std::filesystem::path> Answer(bool save, const platform::FileChoice& choice) {
    asked.push_back({save, choice});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// The services together, with the data folder overridden to `dataFolder`; the registry is the portable
// one, the file "registry.ini" in that folder.
struct FakeServices {
  explicit FakeServices(const std::filesystem::path& dataFolder) { folders.override = dataFolder; }
  platform::PortableKeyboardLayouts keyboard;
  RecordingMessages messages;
  FakeFolders folders;
  ScriptedFileChoosers files;
  platform::InProcessClipboard clipboard;
  platform::PortableRegistry registry{[this] { return *folders.override; }};
  platform::Services services() { return {keyboard, messages, folders, files, clipboard, registry}; }
};

}  // namespace zil::test
