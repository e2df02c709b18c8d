// Resource identifiers of the configuration and records dialogs.
#pragma once
