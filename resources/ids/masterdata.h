// Resource ids of the masterdata part.
#pragma once
