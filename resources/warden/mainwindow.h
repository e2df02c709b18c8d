// Resource identifiers of the application and the main dialog: layout, menus, log-in, connection window.
#pragma once
