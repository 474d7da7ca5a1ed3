#include "support/Fixture.h"
