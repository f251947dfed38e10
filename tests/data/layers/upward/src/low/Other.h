#pragma once
// Its own folder is fine.
