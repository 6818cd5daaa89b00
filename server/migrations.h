#pragma once
#include "server/database.h"

namespace tobu::server {

// Brings the schema up to the newest version, one numbered step at a time, each in its
// own transaction; processes starting together on one database take turns.
void MigrateSchema(Connection& connection);
// The number of the newest step.
int LatestSchemaVersion();

}  // namespace tobu::server
