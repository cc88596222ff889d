#pragma once

#include "sdk/win/CDialog.h"

// The dialog that asks a block name for a drawing file whose own name cannot be one. OK takes
// a valid name: a name the block table already has is the existing block, after a Yes to the
// question whether to redefine it (a No keeps the dialog open); a new name closes it at once.
class CVexaInsNameDialog : public CDialog {
 public:
  static constexpr UINT kTemplate = 10873;
  static constexpr int kNameEdit = 10874;
  static constexpr int kMessage = 10875;

  CVexaInsNameDialog() : CDialog(kTemplate) {}

  CString m_caption;
  CString m_message;
  CString m_name;
  // After OK: the name is an existing block's, and the user chose to redefine it.
  bool m_exists = false;
  bool m_redefine = false;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;
};
