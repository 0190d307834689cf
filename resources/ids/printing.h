// Resource ids of the printing part.
#pragma once
