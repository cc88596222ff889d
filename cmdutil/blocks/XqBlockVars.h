#pragma once

#include <optional>

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGePoint3d.h"

// System variables the block engines read and write through the classic interface. Each
// reader answers nothing when the variable cannot be read or has another type.
namespace XqBlockVars {

std::optional<int> getShort(const wchar_t* name);
std::optional<double> getReal(const wchar_t* name);
std::optional<QvGePoint3d> getPoint(const wchar_t* name);
std::optional<QvString> getString(const wchar_t* name);
bool setString(const wchar_t* name, const QvString& value);
bool setShort(const wchar_t* name, int value);
bool setPoint(const wchar_t* name, const QvGePoint3d& value);

}  // namespace XqBlockVars
