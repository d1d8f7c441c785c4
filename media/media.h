// The media layer: every operation the game calls. Game code includes only media/ headers.
#pragma once

#include "media/app.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/list.h"
#include "media/sound.h"
#include "media/text.h"
#include "media/timing.h"
