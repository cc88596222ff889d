#include "host/commands/TarvoPathInfoCommand.h"

#include "host/commands/TarvoCommandInput.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedInput.h"
#include "xqcmdutil/CFilePath.h"

namespace {

const wchar_t* yesNo(bool value) {
  return value ? L"yes" : L"no";
}

void sayf(const wchar_t* format, const CString& text) {
  TarvoCommandInput::say(QvString::format(format, text.GetString()));
}

}  // namespace

int TarvoPathInfoCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvString text;
  if (qvedGetString(1, L"\nPath with arguments: ", text) != kQvNormal) return kQvCancel;
  if (text.trim().isEmpty()) {
    TarvoCommandInput::say(L"\nNo path given.");
    return kQvError;
  }
  QvString base;
  if (qvedGetString(1, L"\nBase folder <none>: ", base) != kQvNormal) return kQvCancel;

  CFilePath path(text.c_str(), 0, 1);
  sayf(L"\nDrive: %ls", path.GetDrive());
  sayf(L"\nDirectory: %ls", path.GetDir(-1));
  for (int i = 0; i < path.GetDirCount(); ++i) sayf(L"\n  %ls", path.GetDir(i));
  sayf(L"\nFile title: %ls", path.GetFileTitle());
  sayf(L"\nExtension: %ls", path.GetExtName());
  TarvoCommandInput::say(QvString::format(L"\nLocal: %ls  Relative: %ls  File: %ls",
                                          yesNo(path.IsLocalPath()), yesNo(path.IsRelativePath()),
                                          yesNo(path.IsFilePath())));
  sayf(L"\nPath: %ls", path.GetPath(0, 0));
  const int count = path.GetArgCount();
  TarvoCommandInput::say(QvString::format(L"\nArguments: %d", count));
  for (int i = 0; i < count; ++i) {
    const CArgument arg(L'/', path.GetArgument(i, 1), path.GetArgument(i, 0));
    TarvoCommandInput::say(QvString::format(L"\n  name \"%ls\" value \"%ls\"",
                                            arg.m_name.GetString(), arg.m_value.GetString()));
  }
  if (!base.trim().isEmpty()) {
    if (path.IsRelativePath())
      sayf(L"\nAbsolute: %ls", path.GetAbsolutePath(base.c_str()));
    else
      sayf(L"\nRelative: %ls", path.GetRelativePath(base.c_str()));
  }
  return kQvNormal;
}
