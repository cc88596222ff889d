#pragma once

#include <memory>

#include "sdk/io/QvDxfClassFiler.h"

// The filers of the database's classes (each in its own file under sdk/io), listed by
// QvDxfFilerRegistry.
using QvDxfFilerPtr = std::unique_ptr<QvDxfClassFiler>;

// Symbol-table records.
QvDxfFilerPtr qvDxfLayerFiler();
QvDxfFilerPtr qvDxfLinetypeFiler();
QvDxfFilerPtr qvDxfTextStyleFiler();
QvDxfFilerPtr qvDxfDimStyleFiler();
QvDxfFilerPtr qvDxfRegAppFiler();
QvDxfFilerPtr qvDxfUcsFiler();
QvDxfFilerPtr qvDxfViewFiler();
QvDxfFilerPtr qvDxfViewportFiler();
QvDxfFilerPtr qvDxfBlockRecordFiler();

// Objects.
QvDxfFilerPtr qvDxfDictionaryFiler();
QvDxfFilerPtr qvDxfXrecordFiler();
QvDxfFilerPtr qvDxfLayoutFiler();
QvDxfFilerPtr qvDxfSortentsTableFiler();
QvDxfFilerPtr qvDxfScaleFiler();
QvDxfFilerPtr qvDxfProxyObjectFiler();

// Entities.
QvDxfFilerPtr qvDxfProxyEntityFiler();
