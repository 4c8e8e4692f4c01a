#pragma once

namespace corvane::artwork {} // namespace corvane::artwork
