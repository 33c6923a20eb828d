#include "optimizer/lp_solver.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcHeuristic.hpp>
#include <coin/CbcHeuristicLocal.hpp>
#include <coin/CbcModel.hpp>
#include <coin/ClpSimplex.hpp>
#include <coin/CoinMessageHandler.hpp>
#include <coin/OsiClpSolverInterface.hpp>

namespace {

// Ends the branch and bound when the caller asks to stop.
class StopHandler : public CbcEventHandler {
 public:
  explicit StopHandler(std::function<bool()> stopRequest) : stop_(std::move(stopRequest)) {}

  CbcAction event(CbcEvent whichEvent) override {
    const bool between = whichEvent == node || whichEvent == heuristicPass;
    return between && stop_ && stop_() ? stop : noAction;
  }
  CbcEventHandler* clone() const override { return new StopHandler(*this); }

 private:
  std::function<bool()> stop_;
};

double ObjectiveOf(const std::vector<double>& costs, const std::vector<double>& values) {
  double sum = 0.0;
  for (std::size_t i = 0; i < costs.size() && i < values.size(); ++i) sum += costs[i] * values[i];
  return sum;
}

}  // namespace

struct LinearProgram::Solver {
  ClpSimplex simplex;
};

LinearProgram::LinearProgram() : solver_(std::make_unique<Solver>()) {
  solver_->simplex.setLogLevel(0);
  solver_->simplex.setOptimizationDirection(1.0);
}

LinearProgram::~LinearProgram() = default;

int LinearProgram::AddRow(double lower, double upper) {
  solver_->simplex.addRow(0, nullptr, nullptr, lower, upper);
  return RowCount() - 1;
}

int LinearProgram::AddColumn(double cost, double lower, double upper,
                             const std::vector<Entry>& entries) {
  std::vector<int> rows;
  std::vector<double> values;
  for (const Entry& entry : entries) {
    rows.push_back(entry.row);
    values.push_back(entry.value);
  }
  solver_->simplex.addColumn(static_cast<int>(rows.size()), rows.data(), values.data(), lower,
                             upper, cost);
  return ColumnCount() - 1;
}

void LinearProgram::SetColumnBounds(int column, double lower, double upper) {
  solver_->simplex.setColumnBounds(column, lower, upper);
  boundsChanged_ = true;
}

int LinearProgram::RowCount() const { return solver_->simplex.numberRows(); }
int LinearProgram::ColumnCount() const { return solver_->simplex.numberColumns(); }
double LinearProgram::ColumnLower(int column) const {
  return solver_->simplex.columnLower()[column];
}
double LinearProgram::ColumnUpper(int column) const {
  return solver_->simplex.columnUpper()[column];
}

LinearProgram::Status LinearProgram::Solve() {
  ClpSimplex& simplex = solver_->simplex;
  // New columns keep the basis primal feasible; changed bounds keep it dual
  // feasible.
  if (boundsChanged_) {
    simplex.dual();
  } else {
    simplex.primal();
  }
  boundsChanged_ = false;
  lastIterations_ = simplex.numberIterations();
  if (!simplex.isProvenOptimal() && !simplex.isProvenPrimalInfeasible()) {
    simplex.initialSolve();
    lastIterations_ += simplex.numberIterations();
  }
  if (simplex.isProvenOptimal()) return Status::Optimal;
  return simplex.isProvenPrimalInfeasible() ? Status::Infeasible : Status::Failed;
}

double LinearProgram::Objective() const { return solver_->simplex.objectiveValue(); }

std::vector<double> LinearProgram::ColumnValues() const {
  const double* values = solver_->simplex.primalColumnSolution();
  return std::vector<double>(values, values + ColumnCount());
}

std::vector<double> LinearProgram::RowDuals() const {
  const double* duals = solver_->simplex.dualRowSolution();
  return std::vector<double>(duals, duals + RowCount());
}

std::vector<double> LinearProgram::SolveInteger(const IntegerSearch& search) const {
  const ClpSimplex& simplex = solver_->simplex;
  const int columns = ColumnCount();
  OsiClpSolverInterface integerSolver;
  integerSolver.messageHandler()->setLogLevel(0);
  integerSolver.loadProblem(*simplex.matrix(), simplex.columnLower(), simplex.columnUpper(),
                            search.costs.data(), simplex.rowLower(), simplex.rowUpper());
  for (int column = 0; column < columns; ++column) integerSolver.setInteger(column);
  for (const IntegerSearch::Row& row : search.rows) {
    std::vector<int> indices;
    std::vector<double> values;
    for (int column = 0; column < columns; ++column) {
      if (row.coefficients[column] != 0.0) {
        indices.push_back(column);
        values.push_back(row.coefficients[column]);
      }
    }
    integerSolver.addRow(static_cast<int>(indices.size()), indices.data(), values.data(),
                         -COIN_DBL_MAX, row.upper);
  }

  CbcModel model(integerSolver);
  model.setLogLevel(0);
  model.messageHandler()->setLogLevel(0);
  model.solver()->messageHandler()->setLogLevel(0);
  model.setMaximumNodes(search.maxNodes);
  if (search.objectiveStep > 0.0) model.setCutoffIncrement(search.objectiveStep * (1.0 - 1e-6));
  CbcRounding rounding(model);
  model.addHeuristic(&rounding);
  CbcHeuristicLocal local(model);
  model.addHeuristic(&local);
  const StopHandler stopHandler(search.stop);
  model.passInEventHandler(&stopHandler);
  if (!search.start.empty()) {
    model.setBestSolution(search.start.data(), columns, ObjectiveOf(search.costs, search.start),
                          true);
  }
  model.branchAndBound();
  const double* best = model.bestSolution();
  if (best == nullptr) return {};
  return std::vector<double>(best, best + columns);
}
