// A test header: nothing below the tests includes it.
#pragma once
