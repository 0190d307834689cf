// Resource ids of the cash part.
#pragma once
