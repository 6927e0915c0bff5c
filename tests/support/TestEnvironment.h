#pragma once

// Sets QELT32_BIN_DIR (the built programs and program folder) and QELT32_LOCK_DIR (the
// ports' lock files) for the test process when the environment does not name them already.
void SetUpTestEnvironment();
