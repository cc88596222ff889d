// The listing of 1,000 PDF underlay definitions (collectUnderlayItems), each of its own file
// and loaded, as UNDERLAYS lists them: the time of a listing, and what it asks of the files.
// The files are opened through a counting wrapper of the host's PDF service (contents read)
// and their status queries are counted by path (statx, which the file services use); no file
// may be read twice, and a listing reads none.
//
//   bench_underlay_listing
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/app/VexaPdfUnderlayService.h"
#include "sdk/app/VexaUnderlayServices.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "xqcmdutil/QvDbUnderlayService.h"

namespace {

// Status queries by path, while counting is on.
std::map<std::string, int>& statusQueries() {
  static std::map<std::string, int> queries;
  return queries;
}
bool counting = false;

// The host's PDF service, counting the files it opens.
class CountingPdfService : public QvDbUnderlayFormatService {
 public:
  Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t* password,
                            QvDbUnderlayFile*& file) const override {
    ++reads[QvString(path).utf8()];
    return inner.getFile(path, password, file);
  }
  VexaPdfUnderlayService inner;
  mutable std::map<std::string, int> reads;
};

int most(const std::map<std::string, int>& counts) {
  int top = 0;
  for (const auto& [path, n] : counts) top = std::max(top, n);
  return top;
}

}  // namespace

// Counts the status queries of the file services by path, then asks the system's.
extern "C" int statx(int dirfd, const char* path, int flags, unsigned int mask,
                     struct statx* buffer) {
  using Statx = int (*)(int, const char*, int, unsigned int, struct statx*);
  static const auto real = reinterpret_cast<Statx>(::dlsym(RTLD_NEXT, "statx"));
  if (counting) ++statusQueries()[path];
  return real(dirfd, path, flags, mask, buffer);
}

int main() {
  constexpr int kDefinitions = 1000;
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "tarvo-bench-underlays";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path survey = fs::path(TARVO_BENCH_DIR) / ".." / "examples" / "site_survey.pdf";

  VexaHost host;
  host.service<VexaDocumentManager>().newDocument();
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  auto service = std::make_unique<CountingPdfService>();
  CountingPdfService* pdf = service.get();
  host.service<VexaUnderlayServices>().setFormatService(QvDbUnderlayFormat::kPdf,
                                                        std::move(service));

  const auto loadStart = std::chrono::steady_clock::now();
  for (int i = 0; i < kDefinitions; ++i) {
    const fs::path file = folder / ("survey" + std::to_string(i) + ".pdf");
    fs::copy_file(survey, file);
    auto* def = new QvDbPdfDefinition();
    def->setSourceFileName(QvString(file.string().c_str()).c_str());
    QvDbObjectId id;
    QvDbUnderlayDefinition::addToDatabase(
        db, QvString(("survey" + std::to_string(i) + " - Page 1").c_str()).c_str(), def, id);
    QvDbObjectPointer<QvDbPdfDefinition> open(id, QvDb::kForWrite);
    if (!open || open->load() != Vexa::eOk) {
      std::fprintf(stderr, "definition %d does not load\n", i);
      return 2;
    }
  }
  const double loadSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();
  const std::map<std::string, int> readsByLoading = pdf->reads;
  pdf->reads.clear();

  std::vector<XqUnderlayItemInfo> items;
  counting = true;
  const auto start = std::chrono::steady_clock::now();
  QvDbPdfUnderlayService().collectUnderlayItems(db, items);
  const double listSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  counting = false;

  int listed = 0;
  for (const XqUnderlayItemInfo& item : items)
    if (item.status == XqUnderlayItemInfo::kPdfUnreferenced && item.size >= 0) ++listed;
  std::printf(
      "loading %d definitions of their own files: %.3f s; files read: %zu, at most %d "
      "time(s) each\n",
      kDefinitions, loadSeconds, readsByLoading.size(), most(readsByLoading));
  std::printf("listing them (collectUnderlayItems): %.4f s, %.1f us a definition; %d listed\n",
              listSeconds, 1e6 * listSeconds / kDefinitions, listed);
  std::printf("  files read by the listing: %zu; status queries: %zu files, at most %d each\n",
              pdf->reads.size(), statusQueries().size(), most(statusQueries()));
  fs::remove_all(folder);
  const bool ok = listed == kDefinitions && most(readsByLoading) == 1 && pdf->reads.empty();
  if (!ok) std::fprintf(stderr, "a file was read twice, or the listing read a file\n");
  return ok ? 0 : 1;
}
