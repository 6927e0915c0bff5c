#pragma once

// Sets QELT32_BIN_DIR (the built programs and program folder) for the test process when
// the environment does not name it already.
void SetUpTestEnvironment();
