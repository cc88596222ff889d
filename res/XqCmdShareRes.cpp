// The string table of the resource module XqCmdShareRes.
#include <cstddef>

#define XQ_RES_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Entry {
  unsigned int id;
  const wchar_t* text;
};

constexpr Entry kStrings[] = {
    {10943, L"Cannot explode blocks with the MINSERT command."},
};

}  // namespace

// The text of `id`, or null when the module has none.
XQ_RES_EXPORT const wchar_t* xqResourceString(unsigned int id) {
  for (const Entry& e : kStrings)
    if (e.id == id) return e.text;
  return nullptr;
}
