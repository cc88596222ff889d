#pragma once

#include <functional>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// One thing that happened on the command line.
struct VexaTranscriptEntry {
  enum class Kind {
    kPrompt,   // the prompt of a question
    kMessage,  // text printed by qvutPrintf or qvedPrompt, or by the host (a re-ask reason)
    kAnswer,   // what answered a question: the text used, "" for Enter, "*Cancel*" for a cancel
  };
  Kind kind;
  QvString text;
};

// The command-line transcript: every prompt, message and answer in the order it happened.
// Tests read the entries; the program echoes them live through a sink.
class VexaTranscript : public VexaHostService {
 public:
  using Sink = std::function<void(const VexaTranscriptEntry&)>;

  // The answer text recorded for a cancel.
  static constexpr const wchar_t* kCancelText = L"*Cancel*";

  void addPrompt(QvString text) { add({VexaTranscriptEntry::Kind::kPrompt, std::move(text)}); }
  void addMessage(QvString text) { add({VexaTranscriptEntry::Kind::kMessage, std::move(text)}); }
  void addAnswer(QvString text) { add({VexaTranscriptEntry::Kind::kAnswer, std::move(text)}); }
  void add(VexaTranscriptEntry entry);

  // The text screen the command line switches to: the switch is shown as a message.
  static constexpr const wchar_t* kTextScreenText = L"\n[text screen]";
  void showTextScreen() {
    ++textScreens_;
    addMessage(kTextScreenText);
  }
  // How often the command line switched to the text screen.
  int textScreens() const { return textScreens_; }

  const std::vector<VexaTranscriptEntry>& entries() const { return entries_; }
  void clear() { entries_.clear(); }

  // The texts of the entries of one kind, in order.
  std::vector<QvString> texts(VexaTranscriptEntry::Kind kind) const;
  // The whole transcript as the command line shows it (see VexaCommandLineText).
  QvString text() const;

  // While one lives, prompts and answers are not added (messages are): a command sent from code
  // with "CMDECHO" off does not echo its questions and the answers it was given.
  class EchoOff {
   public:
    explicit EchoOff(VexaTranscript& transcript) : transcript_(transcript) {
      ++transcript_.echoOff_;
    }
    ~EchoOff() { --transcript_.echoOff_; }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

   private:
    VexaTranscript& transcript_;
  };

  // Called with every entry as it is added; an empty function removes the sink.
  void setSink(Sink sink) { sink_ = std::move(sink); }

  // The transcript of the running host, or null when no host runs.
  static VexaTranscript* current();

 private:
  std::vector<VexaTranscriptEntry> entries_;
  Sink sink_;
  int echoOff_ = 0;
  int textScreens_ = 0;
};
