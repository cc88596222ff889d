// Filling an XqEditCombox one name at a time (sorted insertion by binary search) and typing a
// three-letter prefix into its open list.
//
//   bench_edit_combox [ITEMS]   (default 10000)
//
// Fills of ITEMS/8, ITEMS/4, ITEMS/2 and ITEMS random names: the time per item, the ratio of
// each fill's time to the one before (about 2.3 for n log n, 4 for n squared), and the item
// texts the search read per insertion (the list's LB_GETTEXT messages: about log2 n). Then the
// time of each keystroke of a prefix typed into the open list of the largest fill. Times are
// processor times of the thread. Exits 1 when the texts read per insertion grow faster than
// log2 n (more than 2 log2 n + 4) or a fill of twice the names takes 3.5 times as long.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/win/CWnd.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "xqcmdutil/XqEditCombox.h"

namespace {

double threadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

std::vector<QvString> randomNames(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<QvString> names;
  for (int i = 0; i < n; ++i) {
    std::wstring name;
    for (int k = 0; k < 8; ++k) name += static_cast<wchar_t>(L'A' + rng() % 26);
    names.emplace_back(name);
  }
  return names;
}

struct Fill {
  int items = 0;
  double seconds = 0;
  double readsPerInsert = 0;
};

Fill fill(CWnd& dialog, int n, XqEditCombox& combo) {
  const std::vector<QvString> names = randomNames(n, 17u + static_cast<unsigned>(n));
  VexaWindowRegistry& windows = *VexaWindowRegistry::current();
  combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, RECT{10, 10, 210, 32}, &dialog, 100);
  const HWND list = combo.GetListBox().m_hWnd;
  windows.clearMessages(list);
  const double start = threadSeconds();
  for (const QvString& name : names) combo.InsertString(name);
  const double seconds = threadSeconds() - start;
  long reads = 0;
  for (const VexaWindowMessage& m : windows.messages(list)) reads += m.message == LB_GETTEXT;
  return Fill{combo.GetCount(), seconds, static_cast<double>(reads) / n};
}

}  // namespace

int main(int argc, char** argv) {
  const int largest = argc > 1 ? std::max(64, std::atoi(argv[1])) : 10000;
  VexaHost host;
  CWnd dialog;
  dialog.CreateEx(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 300}, nullptr, 0);

  bool good = true;
  double previousSeconds = 0;
  std::printf("%8s %8s %12s %8s %14s %10s\n", "names", "items", "us/item", "ratio", "reads/insert",
              "2 log2 n");
  for (int n = largest / 8; n <= largest; n *= 2) {
    XqEditCombox combo;
    const Fill f = fill(dialog, n, combo);
    const double perItem = f.seconds / n * 1e6;
    const double ratio = previousSeconds > 0 ? f.seconds / previousSeconds : 0;
    std::printf("%8d %8d %12.2f %8.2f %14.2f %10.2f\n", n, f.items, perItem, ratio,
                f.readsPerInsert, 2 * std::log2(n));
    if (f.readsPerInsert > 2 * std::log2(n) + 4) good = false;
    if (ratio > 3.5) good = false;
    previousSeconds = f.seconds;

    if (n * 2 > largest) {  // the largest: type a prefix into the open list
      VexaWindowRegistry& windows = *VexaWindowRegistry::current();
      combo.ShowDropDown(TRUE);
      SetFocus(GetDlgItem(combo.m_hWnd, 1001));
      std::printf("typing into the open list of %d items:", f.items);
      for (const wchar_t* key : {L"Q", L"U", L"A"}) {
        const double start = threadSeconds();
        windows.typeText(key);
        std::printf(" %ls %.3f ms", key, (threadSeconds() - start) * 1e3);
      }
      CString text;
      const int selected = combo.GetListBox().GetCurSel();
      combo.GetListBox().GetText(selected, text);
      std::printf("  -> %ls\n", text.GetString());
    }
    combo.DestroyWindow();
  }
  std::printf("%s\n", good ? "grows as n log n" : "grows faster than n log n");
  return good ? 0 : 1;
}
