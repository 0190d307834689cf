// Resource ids of the stock part.
#pragma once
