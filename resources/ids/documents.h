// Resource ids of the documents part.
#pragma once
