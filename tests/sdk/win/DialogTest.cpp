#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/ed/VexaInputScript.h"
#include "sdk/win/CDialog.h"
#include "sdk/win/VexaMessageBox.h"
#include "tests/support/HostFixture.h"

namespace {

using ::testing::HasSubstr;

constexpr int kNameEdit = 100;
constexpr int kNoteEdit = 101;

// A name dialog: an empty name is refused with an error box, a taken name is confirmed with
// a Yes/No box (No the default); both keep the dialog open.
class NameDialog : public CDialog {
 public:
  CString name = L"first";
  CString note;
  bool confirmed = false;
  int okCount = 0;

 protected:
  BOOL OnInitDialog() override {
    SetWindowText(L"Name it");
    SetDlgItemLabel(kNameEdit, L"Name");
    SetDlgItemLabel(kNoteEdit, L"Note");
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kNameEdit, name);
    DDX_Text(dx, kNoteEdit, note);
  }
  void OnOK() override {
    ++okCount;
    if (!UpdateData(TRUE)) return;
    if (name.IsEmpty()) {
      MessageBox(nullptr, L"A name is needed.", L"Name it", MB_OK | MB_ICONERROR);
      return;
    }
    if (name == CString(L"taken")) {
      if (MessageBox(nullptr, L"Replace it?", L"Name it", MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;
      confirmed = true;
    }
    EndDialog(IDOK);
  }
};

class DialogTest : public HostFixture {
 protected:
  int prompts(const std::wstring& part) {
    int n = 0;
    for (const auto& [kind, text] : entries())
      if (kind == VexaTranscriptEntry::Kind::kPrompt && text.find(part) != std::wstring::npos) ++n;
    return n;
  }
  std::wstring allMessages() {
    std::wstring all;
    for (const auto& m : messages()) all += m;
    return all;
  }
};

TEST_F(DialogTest, FieldsAskedWithLabelAndValueEnterKeepsTextReplaces) {
  script(L"\nhello there\n");
  NameDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(std::wstring(dialog.name), L"first");
  EXPECT_EQ(std::wstring(dialog.note), L"hello there");  // blanks kept
  EXPECT_EQ(prompts(L"Name <first>: "), 1);
  EXPECT_EQ(prompts(L"Note <>: "), 1);
  EXPECT_TRUE(inputScript().atEnd());
}

TEST_F(DialogTest, OkThatKeepsTheDialogOpenAsksAgainUntilItCloses) {
  // Empty name: error box, asked again. "taken", Enter at the box (No): asked again.
  // "taken", "y": closed.
  script(
      L"\n\\#x\n"
      "taken\n\n\n"
      "\n\ny\n");
  NameDialog dialog;
  dialog.name = L"";
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.okCount, 3);
  EXPECT_TRUE(dialog.confirmed);
  EXPECT_EQ(std::wstring(dialog.name), L"taken");
  EXPECT_EQ(std::wstring(dialog.note), L"#x");
  EXPECT_THAT(allMessages(), HasSubstr(L"Name it: A name is needed."));
  EXPECT_EQ(prompts(L"Replace it? [Yes/No] <No>: "), 2);
  EXPECT_TRUE(inputScript().atEnd());
}

TEST_F(DialogTest, CancelAndAnExhaustedScriptLeaveTheMembersAlone) {
  script(L"changed\n^C\n");
  NameDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(std::wstring(dialog.name), L"first");  // the typed name never reached it
  EXPECT_EQ(dialog.okCount, 0);

  script(L"");
  NameDialog other;
  EXPECT_EQ(other.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, MessageBoxButtonsByNameLetterOrDefault) {
  script(L"maybe\nN\n\n\nc\n^C\n");
  EXPECT_EQ(MessageBox(nullptr, L"Go?", L"Q", MB_YESNO), IDNO);   // "maybe" refused first
  EXPECT_EQ(MessageBox(nullptr, L"Go?", L"Q", MB_YESNO), IDYES);  // Enter: first button
  EXPECT_EQ(MessageBox(nullptr, L"Go?", L"Q", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, L"Go?", L"Q", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, L"Go?", L"Q", MB_YESNO), IDNO);  // ^C: the last button
  EXPECT_THAT(allMessages(), HasSubstr(L"Answer one of Yes/No."));
  // An OK box only tells.
  EXPECT_EQ(MessageBox(nullptr, L"Done.", nullptr, MB_OK), IDOK);
  EXPECT_THAT(messages().back(), HasSubstr(L"Done."));
}

TEST(DialogWithoutHost, NothingToAnswerIt) {
  NameDialog dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(MessageBox(nullptr, L"x", L"y", MB_YESNO), 0);
}

}  // namespace
