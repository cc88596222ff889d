#include "host/commands/TarvoCommandTable.h"

#include <array>

#include "host/commands/TarvoAnonymousBlockCommand.h"
#include "host/commands/TarvoArcCommand.h"
#include "host/commands/TarvoBlockCommand.h"
#include "host/commands/TarvoBlockCountCommand.h"
#include "host/commands/TarvoBlockPickCommand.h"
#include "host/commands/TarvoBlockScaleCommand.h"
#include "host/commands/TarvoChangeLayerCommand.h"
#include "host/commands/TarvoCircleCommand.h"
#include "host/commands/TarvoDgnBindCommand.h"
#include "host/commands/TarvoDimPointsCommand.h"
#include "host/commands/TarvoDimensionCommand.h"
#include "host/commands/TarvoDistanceCommand.h"
#include "host/commands/TarvoEntityInfoCommand.h"
#include "host/commands/TarvoInsertAtCommand.h"
#include "host/commands/TarvoInsertCommand.h"
#include "host/commands/TarvoJoinCommand.h"
#include "host/commands/TarvoLayerPickCommand.h"
#include "host/commands/TarvoLengthenCommand.h"
#include "host/commands/TarvoLineCommand.h"
#include "host/commands/TarvoOopsCommand.h"
#include "host/commands/TarvoPathInfoCommand.h"
#include "host/commands/TarvoPlineCommand.h"
#include "host/commands/TarvoSelectCommand.h"
#include "host/commands/TarvoServicesCommands.h"
#include "host/commands/TarvoSolidCommands.h"
#include "host/commands/TarvoTrimHatchCommand.h"
#include "host/commands/TarvoUnderlayAttachCommand.h"
#include "host/commands/TarvoUnderlaysCommand.h"
#include "host/commands/TarvoUnitsCommand.h"
#include "host/commands/TarvoWcMatchCommand.h"
#include "host/commands/TarvoXrefCommands.h"
#include "host/commands/TarvoXrefFileCommand.h"

namespace {

// One line per command, each command in a file of its own.
constexpr std::array kCommands{
    TarvoCommandEntry{L"LINE", &TarvoLineCommand::run},
    TarvoCommandEntry{L"ARC", &TarvoArcCommand::run},
    TarvoCommandEntry{L"CIRCLE", &TarvoCircleCommand::run},
    TarvoCommandEntry{L"PLINE", &TarvoPlineCommand::run},
    TarvoCommandEntry{L"JOIN", &TarvoJoinCommand::run},
    TarvoCommandEntry{L"TRIMHATCH", &TarvoTrimHatchCommand::run},
    TarvoCommandEntry{L"BLOCKPICK", &TarvoBlockPickCommand::run},
    TarvoCommandEntry{L"LAYERPICK", &TarvoLayerPickCommand::run},
    TarvoCommandEntry{L"PATHINFO", &TarvoPathInfoCommand::run},
    TarvoCommandEntry{L"CVDIST", &TarvoDistanceCommand::run},
    TarvoCommandEntry{L"RTOS", &TarvoLengthTextCommand::run},
    TarvoCommandEntry{L"ANGTOS", &TarvoAngleTextCommand::run},
    TarvoCommandEntry{L"WCMATCH", &TarvoWcMatchCommand::run},
    TarvoCommandEntry{L"BCOUNT", &TarvoBlockCountCommand::run},
    TarvoCommandEntry{L"BSCALE", &TarvoBlockScaleCommand::run},
    TarvoCommandEntry{L"CHLAYER", &TarvoChangeLayerCommand::run},
    TarvoCommandEntry{L"ANONBLOCK", &TarvoAnonymousBlockCommand::run},
    TarvoCommandEntry{L"XREFFILE", &TarvoXrefFileCommand::run},
    TarvoCommandEntry{L"TEXTSCR", &TarvoTextScreenCommand::run},
    TarvoCommandEntry{L"LWEIGHT", &TarvoLineWeightCommand::run},
    TarvoCommandEntry{L"SAVEFORMAT", &TarvoSaveFormatCommand::run},
    TarvoCommandEntry{L"BLOCKPIC", &TarvoBlockPictureCommand::run},
    TarvoCommandEntry{L"REFLIST", &TarvoReferenceListCommand::run},
    TarvoCommandEntry{L"SELHIDDEN", &TarvoHiddenSelectionCommand::run},
    TarvoCommandEntry{L"OOPS", &TarvoOopsCommand::run},
    TarvoCommandEntry{L"BLOCK", &TarvoBlockCommand::run},
    TarvoCommandEntry{L"BLOCKMOD", &TarvoBlockModCommand::run},
    TarvoCommandEntry{L"INSERTAT", &TarvoInsertAtCommand::run},
    TarvoCommandEntry{L"ENTINFO", &TarvoEntityInfoCommand::run},
    TarvoCommandEntry{L"LENGTHEN", &TarvoLengthenCommand::run},
    TarvoCommandEntry{L"INSERT", &TarvoInsertCommand::run},
    TarvoCommandEntry{L"MINSERT", &TarvoInsertCommand::runArray},
    TarvoCommandEntry{L"EDITATT", &TarvoEditAttCommand::run},
    TarvoCommandEntry{L"BLOCKEDIT", &TarvoBlockEditCommand::run},
    TarvoCommandEntry{L"DIMPOINTS", &TarvoDimPointsCommand::run},
    TarvoCommandEntry{L"NDIMPOINTS", &TarvoDimPointsCommand::runNested},
    TarvoCommandEntry{L"DIMENSION", &TarvoDimensionCommand::run},
    TarvoCommandEntry{L"PDFATTACH", &TarvoUnderlayAttachCommand::runPdf},
    TarvoCommandEntry{L"DWFATTACH", &TarvoUnderlayAttachCommand::runDwf},
    TarvoCommandEntry{L"DGNATTACH", &TarvoUnderlayAttachCommand::runDgn},
    TarvoCommandEntry{L"DGNBIND", &TarvoDgnBindCommand::run},
    TarvoCommandEntry{L"UNDERLAYS", &TarvoUnderlaysCommand::run},
    TarvoCommandEntry{L"XATTACH", &TarvoXrefCommands::runAttach},
    TarvoCommandEntry{L"XBIND", &TarvoXrefCommands::runBind},
    TarvoCommandEntry{L"SELECT", &TarvoSelectCommand::run},
    TarvoCommandEntry{L"BOX", &TarvoSolidCommands::box},
    TarvoCommandEntry{L"EXTRUDE", &TarvoSolidCommands::extrude},
    TarvoCommandEntry{L"PLANESURF", &TarvoSolidCommands::planeSurface},
    TarvoCommandEntry{L"SWEEP", &TarvoSolidCommands::sweep},
};

}  // namespace

std::span<const TarvoCommandEntry> tarvoCommandTable() {
  return kCommands;
}
