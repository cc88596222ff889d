// The string table of the resource module XqCmdShareRes: the module's messages, prompts and
// keyword lists by numeric id. Prompts that take values use %ls (a wide string) and %d;
// the texts of the insert-name dialog use numbered inserts (%1!d!).
#include <cstddef>

#define XQ_RES_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Entry {
  unsigned int id;
  const wchar_t* text;
};

constexpr Entry kStrings[] = {
    // Block name, file and redefinition questions of the insert command.
    {10801, L"Insert Block"},
    {10824, L"\n%ls \"%ls\" was not found."},
    {10825, L"Drawing file"},
    {10826, L"\nBlock \"%ls\" already exists. Redefine it? [Yes/No] <No>: "},
    {10827, L"Yes No _Yes No"},
    {10828, L"\nThe block name cannot be used."},
    {10829, L"\nThe drawing holds a block named \"%ls\"; it cannot be inserted under that name."},
    {10835, L"\nCannot read the drawing file \"%ls\"."},
    {10837, L"\nEnter block name or [?] <%ls>: "},
    {10838, L"\nEnter block name or [?]: "},
    {10942, L"\nRedefining block \"%ls\"."},
    {10943, L"Cannot explode blocks with the MINSERT command."},
    {10977, L"\nBlock name is invalid."},
    {10978, L"\nFile name is invalid."},
    {10980, L"\nThat block is an external reference and cannot be inserted."},
    {10985, L"\n%ls \"%ls\": its annotative setting differs from the current dimension style's."},
    {10986, L"\nAn annotative block cannot be inserted as an array."},
    {14907, L"\nCannot insert a block that is or contains the block being edited (\"%ls\")."},

    // Block listing ("?").
    {10850, L"\nEnter blocks to list <*>: "},
    {10852, L"\nDefined blocks."},
    {10853, L"No defined blocks match."},
    {10854, L"\n\nUser      External     Dependent    Unnamed"},
    {10855, L"\nBlocks    References   Blocks       Blocks"},
    {10856, L"\n%6d    %6d       %6d       %6d\n"},

    // Insert-name dialog.
    {10876, L"The block name is not valid. A name has at most %1!d! characters and none of "
            L"< > / \\ \" : ; ? * | , = `."},
    {10877, L"Invalid Block Name"},
    {10879, L"Redefine Block"},
    {10940, L"Block Name"},
    {10941, L"Enter a block name of at most %1!d! characters:"},
    {10979, L"A block named \"%ls\" already exists in this drawing.\nDo you want to redefine it?"},

    // Placement questions.
    {10807, L"Basepoint Scale Rotate PScale PRotate _Basepoint Scale Rotate PScale PRotate"},
    {10808, L"\nSpecify the insertion point for block or [Basepoint/Scale/Rotation]: "},
    {10809, L"Basepoint Scale Xscale Yscale Zscale Rotate PScale PXscale PYscale PZscale PRotate "
            L"_Basepoint Scale Xscale Yscale Zscale Rotate PScale PXscale PYscale PZscale "
            L"PRotate"},
    {10810, L"\nSpecify the insertion point for block or [Basepoint/Scale/X/Y/Z/Rotation]: "},
    {10811, L"\nEnter X scale factor, specify opposite corner, or [Corner/XYZ] <%ls>: "},
    {10812, L"Corner XYZ _Corner XYZ"},
    {10813, L"\nSpecify rotation angle <%ls>: "},
    {10814, L"\nSpecify opposite corner or X scale factor <%ls>: "},
    {10815, L"\nEnter Y scale factor <use X scale factor>: "},
    {10816, L"\nSpecify X scale factor or [Corner] <%ls>: "},
    {10817, L"Corner _Corner"},
    {10818, L"\nSpecify Z scale factor (X = %ls, Y = %ls) <%ls>: "},
    {10832, L"\nValue must be nonzero."},
    {10840, L"\nSpecify scale factor for XYZ axes: "},
    {10841, L"\nSpecify X scale factor: "},
    {10842, L"\nSpecify Y scale factor: "},
    {10843, L"\nSpecify Z scale factor: "},
    {10844, L"\nSpecify rotation angle: "},
    {10845, L"\nSpecify preview scale factor for XYZ axes: "},
    {10846, L"\nSpecify preview X scale factor: "},
    {10847, L"\nSpecify preview Y scale factor: "},
    {10848, L"\nSpecify preview Z scale factor: "},
    {10849, L"\nSpecify preview rotation angle: "},
    {10858, L"\nSpecify scale factor <1>: "},
    {10945, L"\nThis dynamic block is scaled unevenly; its actions may not work as expected."},
    {10947, L"\nSpecify base point: "},

    // Array insert.
    {10819, L"\nEnter number of rows (---) <1>: "},
    {10820, L"\nEnter number of columns (|||) <1>: "},
    {10821, L"\nEnter distance between rows or specify unit cell (---): "},
    {10822, L"\nSpecify opposite corner: "},
    {10823, L"\nSpecify distance between columns (|||): "},
    {10834, L"\nRequires a nonzero distance between rows."},

    // Attribute entry.
    {10831, L"\nVerify attribute values"},
    {10981, L"Accept default value"},
    {10982, L"Next line or <complete>: "},
    {10983, L"\nInput Attribute Value\n"},
    {10984, L" - Default Value: \n"},
};

}  // namespace

// The text of `id`, or null when the module has none.
XQ_RES_EXPORT const wchar_t* vexaResourceString(unsigned int id) {
  for (const Entry& e : kStrings)
    if (e.id == id) return e.text;
  return nullptr;
}
