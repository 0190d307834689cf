#pragma once
// The temporary-database fixture lives here once the database layer exists.
